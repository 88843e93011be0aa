// A flood of logins from one address against the real server: it stays responsive to
// everybody else, its memory stays bounded, and nobody elsewhere is locked out.
#include "server_fixture.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <iostream>
#include <thread>

namespace qz::server::test {
namespace {

constexpr int kFloodLogins = 2000;
constexpr int kFloodThreads = 8;
// The server itself, one hash thread at the real cost (64 MiB) and what the flood passes. An
// instrumented server also keeps AddressSanitizer's quarantine of freed blocks (up to 256 MiB)
// and its shadow memory, so its peak gets that room on top.
// GCC names AddressSanitizer with a macro; clang before version 16 only through __has_feature.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QZ_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(QZ_ADDRESS_SANITIZER)
constexpr long kMemoryBoundKiB = (128 + 256) * 1024;
#else
constexpr long kMemoryBoundKiB = 128 * 1024;
#endif

class ServerFlood : public ServerFixture {
protected:
    std::vector<std::string> options() const override { return {"--hash-cost", "interactive"}; }
};

TEST_F(ServerFlood, TwoThousandLoginsFromOneAddressLockNobodyOut) {
    ASSERT_EQ(send("", loginPairs("Opfer")), "loginok");
    ASSERT_EQ(sendFrom(kStranger, "", loginPairs("Angreifer")), "loginok");

    std::atomic<int> next{0};
    std::atomic<int> answered{0};
    std::atomic<int> finished{0};
    std::vector<std::thread> flood;
    for (int t = 0; t < kFloodThreads; ++t) {
        flood.emplace_back([&] {
            // Guesses at the victim's password, new accounts and the attacker's own login.
            for (int i = next++; i < kFloodLogins; i = next++) {
                Pairs pairs = loginPairs("Angreifer");
                if (i % 3 == 0) pairs = {{"infos", "login"}, {"i1", "Opfer"}, {"i2", digestOf(std::to_string(i))}};
                if (i % 3 == 1) pairs = loginPairs("Neu" + std::to_string(i));
                const std::string reply = sendFrom(kStranger, "", pairs);
                answered += reply.empty() ? 0 : 1;
                ++finished;
            }
        });
    }
    double slowest = 0;
    int checks = 0;
    bool victimLoggedIn = false;
    while (finished < kFloodLogins) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(send("", {{"infos", "onlinecheck"}}), "onlinecheck;;online");
        slowest = std::max(slowest, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        ++checks;
        if (!victimLoggedIn && finished > kFloodLogins / 2) {
            EXPECT_EQ(send("", loginPairs("Opfer")), "loginok") << "the victim logs in from its own address";
            victimLoggedIn = true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    for (std::thread& thread : flood) thread.join();
    const long peak = peakMemoryKiB(server_->pid());
    const std::string log = server_->log();
    const auto count = [&log](const std::string& text) {
        std::size_t n = 0;
        for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++n;
        return n;
    };
    std::cout << "flood: " << answered << " of " << kFloodLogins << " logins answered (" << count("login ok")
              << " ok, " << count("login refused") << " wrong, " << count("Zu viele Fehlversuche") << " too many failures, "
              << count("Zu viele neue Konten") << " too many accounts, " << count("Server ausgelastet")
              << " queue full), " << checks << " online checks, slowest " << slowest * 1000 << " ms, peak memory "
              << peak / 1024 << " MiB\n";
    EXPECT_EQ(answered, kFloodLogins) << "every flood request gets an answer";
    EXPECT_TRUE(victimLoggedIn);
    EXPECT_LT(slowest, 1.0) << "an online check took a second or more";
    EXPECT_GT(peak, 0);
    EXPECT_LT(peak, kMemoryBoundKiB);
    EXPECT_EQ(send("", loginPairs("Opfer")), "loginok");
    EXPECT_EQ(send("", loginPairs("Neuling")), "loginok") << "registration is open for other addresses";
}

}  // namespace
}  // namespace qz::server::test

#include "platform/kindprozess.hpp"
#include "prozesse.hpp"

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>
#include <gtest/gtest.h>

namespace qz {
namespace {

using test::gibtEs;

TEST(Kindprozess, EndsWithItsOwnerAlsoWhenUnwinding) {
    pid_t pid = -1;
    try {
        Kindprozess kind("/bin/sleep", {"30"}, "kind.log");
        pid = kind.kennung();
        ASSERT_TRUE(kind.laeuft());
        throw std::runtime_error("Fehler beim Spielstart");
    } catch (const std::runtime_error&) {
    }
    ASSERT_GT(pid, 0);
    EXPECT_FALSE(gibtEs(pid));  // stopped and reaped: not even a zombie is left
    std::filesystem::remove("kind.log");
}

TEST(Kindprozess, KillsAChildThatIgnoresTheRequestToEnd) {
    // The shell ignores SIGTERM and so does the sleep it runs; only the SIGKILL after the
    // deadline ends it. The marker line says the trap is in place before we stop it.
    Kindprozess kind("/bin/sh", {"-c", "trap '' TERM; echo bereit; exec sleep 30"}, "stur.log");
    const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::filesystem::file_size("stur.log") == 0 && std::chrono::steady_clock::now() < ende) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const pid_t pid = kind.kennung();
    EXPECT_FALSE(kind.beenden(std::chrono::milliseconds(100)));
    EXPECT_FALSE(gibtEs(pid));
    EXPECT_FALSE(kind.laeuft());
    std::filesystem::remove("stur.log");
}

TEST(Kindprozess, AMissingProgramIsAnErrorAtStartWithArgumentsNeverSeenByAShell) {
    EXPECT_THROW(Kindprozess("/nonexistent/qz-server", {"; touch boese"}, "fehlt.log"), std::runtime_error);
    // An argument that a shell would run stays a plain word for the program.
    Kindprozess echo("/bin/echo", {"$HOME; touch boese"}, "echo.log");
    const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (echo.laeuft() && std::chrono::steady_clock::now() < ende) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(echo.beenden());
    std::ifstream in("echo.log");
    std::string zeile;
    std::getline(in, zeile);
    EXPECT_EQ(zeile, "$HOME; touch boese");
    EXPECT_FALSE(std::filesystem::exists("boese"));
    std::filesystem::remove("fehlt.log");
    std::filesystem::remove("echo.log");
}

}  // namespace
}  // namespace qz

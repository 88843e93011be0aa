// The bot's password: made once per name and kept in the configuration file, the same on the
// next start; QZ_BOT_PASSWORD wins; bots starting together lose none of their passwords, and a
// file that cannot be read is left alone.
#include "bot/zugang.hpp"
#include "umgebung.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>
#include <vector>

namespace qz {
namespace {

struct Zugang : ::testing::Test {
    std::filesystem::path ordner;
    test::Umgebung umgebung;
    void SetUp() override
    {
        ordner = std::filesystem::temp_directory_path() /
                 ("qz-bot-zugang-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(ordner);
        umgebung.setzen("XDG_CONFIG_HOME", ordner.string());
        umgebung.setzen("QZ_BOT_PASSWORD", nullptr);
    }
    void TearDown() override
    {
        std::filesystem::remove_all(ordner);
    }
};

TEST_F(Zugang, MadeOnceKeptPerNameAndTheEnvironmentWins)
{
    std::string fehler;
    EXPECT_EQ(botKonfigurationsdatei(), (ordner / "qz" / "qz-bot.conf").string());
    const auto anna = botPasswort("anna", fehler);
    ASSERT_TRUE(anna) << fehler;
    EXPECT_EQ(anna->size(), 32u);
    struct stat info {};
    ASSERT_EQ(::stat(botKonfigurationsdatei().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << "only its owner reads the passwords";

    const auto bert = botPasswort("bert", fehler);
    ASSERT_TRUE(bert);
    EXPECT_NE(*bert, *anna);
    EXPECT_EQ(botPasswort("anna", fehler), anna) << "the same name logs in again later";
    // A login may hold spaces (the host's "Max Musterm" gives "Max Musterm-KI1"); the name
    // "Max" alone is another login.
    const auto max = botPasswort("Max Musterm-KI1", fehler);
    ASSERT_TRUE(max) << fehler;
    EXPECT_EQ(botPasswort("Max Musterm-KI1", fehler), max);
    EXPECT_NE(botPasswort("Max", fehler), max);
    EXPECT_EQ(botPasswort(" Max  Musterm ", fehler), botPasswort(" Max  Musterm ", fehler));
    EXPECT_NE(botPasswort(" Max  Musterm ", fehler), max);

    umgebung.setzen("QZ_BOT_PASSWORD", "vorgegeben");
    EXPECT_EQ(botPasswort("anna", fehler), "vorgegeben");
    EXPECT_EQ(botPasswort("carla", fehler), "vorgegeben");
    umgebung.setzen("QZ_BOT_PASSWORD", nullptr);
    EXPECT_EQ(botPasswort("anna", fehler), anna) << "the environment's password is not written";
}

TEST_F(Zugang, AFileThatCannotBeReadIsReportedAndLeftAsItIs)
{
    // A link to itself cannot be opened, by root neither; writing a new file would replace it.
    std::filesystem::create_directories(ordner / "qz");
    std::filesystem::create_symlink("qz-bot.conf", botKonfigurationsdatei());
    std::string fehler;
    EXPECT_EQ(botPasswort("anna", fehler), std::nullopt);
    EXPECT_EQ(fehler.rfind("cannot read " + botKonfigurationsdatei() + ": ", 0), 0u) << fehler;
    EXPECT_TRUE(std::filesystem::is_symlink(botKonfigurationsdatei()));
}

TEST_F(Zugang, BotsStartingTogetherKeepEveryPassword)
{
    constexpr int kBots = 8;
    std::vector<std::string> erste(kBots);
    std::vector<std::thread> faeden;
    for (int k = 0; k < kBots; ++k)
        faeden.emplace_back([&erste, k] {
            std::string fehler;
            erste[static_cast<std::size_t>(k)] = botPasswort("bot" + std::to_string(k), fehler).value_or("");
        });
    for (auto& f : faeden) f.join();
    std::set<std::string> verschieden(erste.begin(), erste.end());
    EXPECT_EQ(verschieden.size(), static_cast<std::size_t>(kBots));
    for (int k = 0; k < kBots; ++k) {
        std::string fehler;
        EXPECT_EQ(botPasswort("bot" + std::to_string(k), fehler), erste[static_cast<std::size_t>(k)]) << k;
    }
}

}  // namespace
}  // namespace qz

// qz-bot's command line: each option and its limits, both sides of each limit.
#include "bot/befehlszeile.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

std::optional<BotEinstellungen> lesen(std::vector<std::string> mehr)
{
    std::vector<std::string> a = {"--server", "qz.example.org", "--channel", "runde"};
    a.insert(a.end(), mehr.begin(), mehr.end());
    std::string fehler;
    return befehlszeileLesen(a, fehler);
}

TEST(Befehlszeile, OptionsAndTheirLimits)
{
    const auto alle = lesen({"--channel-password", "geheim", "--level", "schwer", "--name", "Rechner", "--create",
                             "3", "--minutes", "20"});
    ASSERT_TRUE(alle);
    EXPECT_EQ(alle->server, (ServerAddress{"qz.example.org", 80}));
    EXPECT_EQ(lesen({"--server", "[::1]:9000"})->server, (ServerAddress{"[::1]", 9000}));
    EXPECT_EQ(alle->kanal, "runde");
    EXPECT_EQ(alle->kanalPasswort, "geheim");
    EXPECT_EQ(alle->stufe, Stufe::schwer);
    EXPECT_EQ(alle->name, "Rechner");
    EXPECT_EQ(alle->sitze, 3);
    EXPECT_EQ(alle->minuten, 20.0);
    EXPECT_EQ(lesen({"--level", "leicht"})->stufe, Stufe::leicht);
    EXPECT_EQ(lesen({"--create", "2", "--seed", "77"})->kartenSeed, 77);
    EXPECT_FALSE(alle->kartenSeed);

    struct Fall {
        std::vector<std::string> argumente;
        bool gut;
    };
    const Fall faelle[] = {
        {{"--create", "2"}, true},
        {{"--create", "4"}, true},
        {{"--create", "1"}, false},
        {{"--create", "5"}, false},
        {{"--create", "2", "--seed", "1"}, true},
        {{"--create", "2", "--seed", "2147483647"}, true},
        {{"--create", "2", "--seed", "0"}, false},
        {{"--create", "2", "--seed", "2147483648"}, false},
        {{"--seed", "5"}, false},
        {{"--minutes", "1"}, true},
        {{"--minutes", "0"}, false},
        {{"--level", "unmöglich"}, false},
        {{"--name", "funfzehn_zeiche"}, true},
        {{"--name", "sechzehn_zeichen"}, false},
        {{"--name", "a,b"}, false},
        {{"--channel-password", "x;y"}, false},
        {{"--name"}, false},
        {{"--unbekannt", "1"}, false},
        {{"--server", "host:65536"}, false},
    };
    for (const Fall& f : faelle) EXPECT_EQ(lesen(f.argumente).has_value(), f.gut) << f.argumente[0];

    std::string fehler;
    EXPECT_FALSE(befehlszeileLesen({"--server", "h"}, fehler)) << "no channel";
    EXPECT_FALSE(befehlszeileLesen({"--channel", "c"}, fehler)) << "no server";

    // A channel named by its session id, the one sure way to the channel a player added it to.
    const std::string id64(64, 'a');
    EXPECT_EQ(befehlszeileLesen({"--server", "h", "--session", "9f3A"}, fehler)->sitzung, "9f3A");
    EXPECT_TRUE(befehlszeileLesen({"--server", "h", "--session", id64}, fehler));
    EXPECT_FALSE(befehlszeileLesen({"--server", "h", "--session", id64 + "a"}, fehler));
    EXPECT_FALSE(befehlszeileLesen({"--server", "h", "--session", "ab-c"}, fehler));
    EXPECT_FALSE(befehlszeileLesen({"--server", "h", "--session", ""}, fehler));
    EXPECT_FALSE(lesen({"--session", "abc"})) << "a name and a session at once";
    EXPECT_FALSE(befehlszeileLesen({"--server", "h", "--session", "abc", "--create", "2"}, fehler));
}

}  // namespace
}  // namespace qz

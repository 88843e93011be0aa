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

TEST(Befehlszeile, ServerAddresses)
{
    struct Fall {
        const char* text;
        bool gut;
        const char* host;
        int port;
    };
    const Fall faelle[] = {
        {"qz.example.org", true, "qz.example.org", 80},
        {"127.0.0.1:8080", true, "127.0.0.1", 8080},
        {"[::1]:9000", true, "::1", 9000},
        {"[::1]", true, "::1", 80},
        {"host:1", true, "host", 1},
        {"host:65535", true, "host", 65535},
        {"host:0", false, "", 0},
        {"host:65536", false, "", 0},
        {"host:", false, "", 0},
        {":80", false, "", 0},
        {"::1", false, "", 0},  // without brackets the port cannot be told from the address
        {"[::1]80", false, "", 0},
        {"host:8o", false, "", 0},
    };
    for (const Fall& f : faelle) {
        std::string host = "unverändert";
        std::uint16_t port = 7;
        EXPECT_EQ(serverAdresseLesen(f.text, host, port), f.gut) << f.text;
        if (!f.gut) continue;
        EXPECT_EQ(host, f.host) << f.text;
        EXPECT_EQ(port, f.port) << f.text;
    }
}

TEST(Befehlszeile, OptionsAndTheirLimits)
{
    const auto alle = lesen({"--channel-password", "geheim", "--level", "schwer", "--name", "Rechner", "--create",
                             "3", "--minutes", "20"});
    ASSERT_TRUE(alle);
    EXPECT_EQ(alle->host, "qz.example.org");
    EXPECT_EQ(alle->kanal, "runde");
    EXPECT_EQ(alle->kanalPasswort, "geheim");
    EXPECT_EQ(alle->stufe, Stufe::schwer);
    EXPECT_EQ(alle->name, "Rechner");
    EXPECT_EQ(alle->sitze, 3);
    EXPECT_EQ(alle->minuten, 20.0);
    EXPECT_EQ(lesen({"--level", "leicht"})->stufe, Stufe::leicht);

    struct Fall {
        std::vector<std::string> argumente;
        bool gut;
    };
    const Fall faelle[] = {
        {{"--create", "2"}, true},
        {{"--create", "4"}, true},
        {{"--create", "1"}, false},
        {{"--create", "5"}, false},
        {{"--minutes", "1"}, true},
        {{"--minutes", "0"}, false},
        {{"--level", "unmöglich"}, false},
        {{"--name", "funfzehn_zeiche"}, true},
        {{"--name", "sechzehn_zeichen"}, false},
        {{"--name", "a,b"}, false},
        {{"--channel-password", "x;y"}, false},
        {{"--name"}, false},
        {{"--unbekannt", "1"}, false},
    };
    for (const Fall& f : faelle) EXPECT_EQ(lesen(f.argumente).has_value(), f.gut) << f.argumente[0];

    std::string fehler;
    EXPECT_FALSE(befehlszeileLesen({"--server", "h"}, fehler)) << "no channel";
    EXPECT_FALSE(befehlszeileLesen({"--channel", "c"}, fehler)) << "no server";
}

}  // namespace
}  // namespace qz

// qz's command line: the server and replay options in both spellings, what ends the program
// instead, and the recording a replay refuses before any window opens.
#include "app/kommandozeile.hpp"

#include "datei_inhalt.hpp"
#include "temporary_directory.hpp"

#include <gtest/gtest.h>

#include <fstream>

namespace qz {
namespace {

TEST(Kommandozeile, NamesTheServerOrSaysWhatIsWrong)
{
    struct Fall {
        std::vector<std::string> argumente;
        const char* server;  // serverAddressText of the option; nullptr: none
        bool fehler;
    };
    const Fall faelle[] = {
        {{}, nullptr, false},
        {{"--server", "localhost:8080"}, "localhost:8080", false},
        {{"--server=[::1]:4000"}, "[::1]:4000", false},
        {{"--server"}, nullptr, true},
        {{"--server", "host:0"}, nullptr, true},
        {{"--port", "80"}, nullptr, true},
    };
    for (const Fall& f : faelle) {
        const Kommandozeile k = kommandozeileLesen(f.argumente);
        const std::string zeile = f.argumente.empty() ? "(none)" : f.argumente[0];
        EXPECT_EQ(!k.fehler.empty(), f.fehler) << zeile;
        EXPECT_EQ(k.optionen.server ? serverAddressText(*k.optionen.server) : "", f.server ? f.server : "") << zeile;
    }
    EXPECT_TRUE(kommandozeileLesen({"--help"}).hilfe);
}

TEST(Kommandozeile, NamesTheRecordingToPlay)
{
    EXPECT_EQ(kommandozeileLesen({"--replay", "spiel.qzr"}).wiedergabeDatei, "spiel.qzr");
    EXPECT_EQ(kommandozeileLesen({"--replay=spiel.qzr"}).wiedergabeDatei, "spiel.qzr");
    EXPECT_FALSE(kommandozeileLesen({"--replay"}).fehler.empty());
    EXPECT_FALSE(kommandozeileLesen({"--replay="}).fehler.empty());
}

TEST(Kommandozeile, ARecordingThatCannotBePlayedIsRefusedWithItsReason)
{
    const std::string gut = test::dateiInhalt(std::string(QZ_REPLAY_FIXTURES) + "/zwei_spieler.qzr");
    ASSERT_FALSE(gut.empty());
    test::TemporaryDirectory ordner;
    const auto datei = [&](const std::string& name, const std::string& inhalt) {
        const std::string pfad = ordner.path() + "/" + name;
        std::ofstream(pfad, std::ios::binary) << inhalt;
        return pfad;
    };
    std::string neuer = gut;
    neuer[8] = 2;  // the format version after the magic
    const struct {
        std::string pfad;
        std::string grund;
    } faelle[] = {
        {datei("halb.qzr", gut.substr(0, gut.size() / 2)), "recording truncated"},
        {datei("bild.qzr", "\x89PNG\r\n\x1a\n"), "not a QZ recording"},
        {datei("neu.qzr", neuer), "recording of a newer version (format 2, this one reads up to 1)"},
    };
    for (const auto& f : faelle) {
        const Aufnahmedatei a = aufnahmeLesen(f.pfad);
        EXPECT_FALSE(a.aufnahme) << f.pfad;
        EXPECT_EQ(a.fehler, "cannot play " + f.pfad + ": " + f.grund);
    }
    const Aufnahmedatei fehlt = aufnahmeLesen(ordner.path() + "/fehlt.qzr");
    EXPECT_FALSE(fehlt.aufnahme);
    EXPECT_EQ(fehlt.fehler, "cannot open " + ordner.path() + "/fehlt.qzr: No such file or directory");
    const Aufnahmedatei ganz = aufnahmeLesen(datei("ganz.qzr", gut));
    ASSERT_TRUE(ganz.aufnahme) << ganz.fehler;
    EXPECT_EQ(ganz.aufnahme->players, (std::vector<std::string>{"Spieler1", "Spieler2"}));
}

}  // namespace
}  // namespace qz

// The settings that last: changed in one run, written to qz.conf, read by the next run; the
// command line over them; a damaged or foreign file noted in the error report and left alone
// until a setting changes; copies writing at once; and which lines a settings file may hold.
#include "app/einstellungen.hpp"
#include "datei_inhalt.hpp"
#include "app/programm.hpp"
#include "platform/folders.hpp"
#include "platform/headless/headless_platform.hpp"

#include "umgebung.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

namespace qz {
namespace {

namespace fs = std::filesystem;

const auto lesen = test::dateiInhalt;

// One run of the program on the headless backend with stand-in pictures and no server.
struct Lauf {
    HeadlessPlatform platform;
    Programm programm{platform};

    explicit Lauf(const Startoptionen& optionen = {})
    {
        Anbindung anbindung;
        anbindung.bildLaden = [](const std::string&) { return imageCreate(156, 25, 0xFF404040); };
        startUp(programm, anbindung, optionen);
    }
    ~Lauf() { stopWorker(programm); }
    void click(int x, int y)
    {
        platform.moveMouse(x, y);
        platform.setButtons(1);
        mainLoopPass(programm);
        platform.setButtons(0);
        mainLoopPass(programm);
    }
    void type(const std::string& text)
    {
        platform.typeText(text);
        for (std::size_t k = 0; k < text.size(); ++k) mainLoopPass(programm);
    }
    ServerAddress server()
    {
        std::lock_guard lock(programm.server.Datenmutex);
        return programm.server.Serveradresse;
    }
};

struct Einstellungstest : ::testing::Test {
    fs::path tmp = fs::temp_directory_path() / ("qz-einstellungen-" + std::to_string(::getpid()));
    Folders vorher = folders();
    fs::path datei = tmp / "config/qz/qz.conf";
    fs::path bericht = tmp / "state/qz/fehlerbericht.txt";
    test::Umgebung umgebung;
    void SetUp() override
    {
        Folders f;
        f.data = QZ_RUNTIME_DIR;  // the build's catalogues
        f.settings = datei;
        f.errorReport = bericht;
        setFolders(f);
        // Without a setting the environment's language: German here.
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) umgebung.setzen(name, nullptr);
        umgebung.setzen("LANG", "C");
    }
    void TearDown() override
    {
        spracheWaehlen("de");
        setFolders(vorher);
        fs::remove_all(tmp);
    }
};

TEST_F(Einstellungstest, WhatAPlayerChangesIsKeptAndReadAtTheNextStart)
{
    {
        Lauf erster;
        erster.click(500, 338);  // "Option"
        ASSERT_EQ(erster.programm.rahmen.Programmzustand, "option");
        EXPECT_FALSE(fs::exists(datei)) << "nothing changed yet, nothing written";
        erster.click(468, 314);  // music volume down: 50 - 5
        erster.click(551, 405);  // effect volume up: 50 + 5
        erster.click(551, 405);  // and once more: 60
        EXPECT_EQ(sprache(), "de");
        erster.click(500, 490);  // the language: from German to the first catalogue, English
        EXPECT_EQ(sprache(), "en");
        erster.platform.setFullscreen(true);
        erster.programm.mehrspieler.gemerkterName = "erika";
        erster.programm.mehrspieler.LoginPasswort = "geheim";
        erster.click(500, 230);  // "Zurück"
        erster.click(500, 284);  // "Mehrspieler"
        erster.click(500, 257);  // the login screen's "Server" field
        erster.type(std::string(erster.programm.mehrspieler.Servertext.size(), '\b') + "[::1]:4000\r");
        ASSERT_EQ(erster.server(), (ServerAddress{"[::1]", 4000}));
    }
    const std::string text = lesen(datei);
    EXPECT_NE(text.find("\nmusiklautstaerke = 45\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\neffektlautstaerke = 60\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nvollbild = ja\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nserver = [::1]:4000\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nname = erika\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nsprache = en\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("geheim"), std::string::npos) << "the password is never kept";
    EXPECT_FALSE(fs::exists(bericht));

    {
        Lauf zweiter;
        EXPECT_EQ(zweiter.programm.rahmen.klang.musikLautstaerke, 45);
        EXPECT_EQ(zweiter.programm.rahmen.klang.effektLautstaerke, 60);
        const auto& ton = zweiter.platform.recordedSound().calls.back();
        EXPECT_EQ(ton.what + " " + std::to_string(ton.b), "volume 45") << "the music plays at the kept volume";
        EXPECT_TRUE(zweiter.platform.fullscreen());
        EXPECT_EQ(zweiter.server(), (ServerAddress{"[::1]", 4000}));
        EXPECT_EQ(zweiter.programm.mehrspieler.Servertext, "[::1]:4000") << "the login screen's field";
        EXPECT_EQ(zweiter.programm.mehrspieler.LoginName, "erika");
        EXPECT_TRUE(zweiter.programm.mehrspieler.LoginPasswort.empty());
        spracheWaehlen("de");
    }
    EXPECT_EQ(sprache(), "de");
    {
        Lauf dritter;
        EXPECT_EQ(sprache(), "en") << "the kept language wins over the environment's";
    }

    // The command line names the server for this run only: the file keeps the field's.
    {
        Startoptionen optionen;
        optionen.server = ServerAddress{"qz.example.org", 8080};
        Lauf dritter(optionen);
        EXPECT_EQ(dritter.server(), *optionen.server);
        EXPECT_EQ(dritter.programm.mehrspieler.Servertext, "qz.example.org:8080");
        dritter.click(500, 338);  // "Option"
        dritter.click(468, 314);  // music volume down: 40
    }
    EXPECT_NE(lesen(datei).find("\nmusiklautstaerke = 40\n"), std::string::npos);
    EXPECT_NE(lesen(datei).find("\nserver = [::1]:4000\n"), std::string::npos) << lesen(datei);
}

TEST_F(Einstellungstest, ADamagedOrForeignFileIsNotedAndLeftAloneUntilASettingChanges)
{
    const std::string fremd = "[Window]\nwidth=800\n";
    const std::string kaputt = "musiklautstaerke = 45\nvollbild = ja\nname = erika\nmusiklautstaerke = 4\x01\n";
    const std::pair<std::string, int> faelle[] = {{fremd, 1}, {kaputt, 4}};
    for (const auto& [inhalt, zeile] : faelle) {
        fs::remove_all(tmp);
        fs::create_directories(datei.parent_path());
        std::ofstream(datei, std::ios::binary) << inhalt;
        Lauf lauf;
        // The game starts on its defaults, not on the part of the file before the damage.
        EXPECT_EQ(lauf.programm.rahmen.klang.musikLautstaerke, 50);
        EXPECT_FALSE(lauf.platform.fullscreen());
        EXPECT_EQ(lauf.server(), (ServerAddress{kServerHost, kServerPort}));
        EXPECT_TRUE(lauf.programm.mehrspieler.LoginName.empty());
        EXPECT_EQ(lesen(bericht), "\"Einstellungen ignoriert, Zeile " + std::to_string(zeile) + ": " + datei.string() + "\"\r\n");
        lauf.click(500, 338);  // "Option", "Zurück": nothing changed
        lauf.click(500, 230);
        EXPECT_EQ(lesen(datei), inhalt);
        lauf.click(500, 338);
        lauf.click(551, 314);  // music volume up: 55
        int gelesen = -1;
        const std::optional<Einstellungen> neu = einstellungenLesen(lesen(datei), gelesen);
        ASSERT_TRUE(neu) << "line " << gelesen;
        EXPECT_EQ(neu->musikLautstaerke, 55);
    }
}

TEST_F(Einstellungstest, CopiesWritingAtOnceEachWriteAWholeFile)
{
    // Each copy writes its own volume; a shared temporary file would mix their lines or let
    // one rename the other's away, so that its own write fails.
    constexpr int kKopien = 4;
    constexpr int kRunden = 50;
    std::atomic<int> fehlgeschlagen{0};
    std::vector<std::thread> kopien;
    for (int k = 0; k < kKopien; ++k)
        kopien.emplace_back([&, k] {
            Einstellungen werte;
            werte.musikLautstaerke = 5 * k;
            for (int runde = 0; runde < kRunden; ++runde)
                if (!einstellungenSchreiben(datei, werte)) ++fehlgeschlagen;
        });
    for (std::thread& t : kopien) t.join();
    EXPECT_EQ(fehlgeschlagen.load(), 0);
    int zeile = -1;
    const std::optional<Einstellungen> gelesen = einstellungenLesen(lesen(datei), zeile);
    ASSERT_TRUE(gelesen) << "line " << zeile;
    EXPECT_EQ(lesen(datei), einstellungenText(*gelesen)) << "one copy's file, whole";
    EXPECT_EQ(std::distance(fs::directory_iterator(datei.parent_path()), fs::directory_iterator()), 1)
        << "no temporary file left behind";
}

TEST(EinstellungenLesen, TakesEveryValueUpToItsLimitAndNoLineOfAnythingElse)
{
    struct Fall {
        const char* text;
        int fehlerzeile;  // 0: read
    };
    const Fall faelle[] = {
        {"", 0},
        {"# nur ein Kommentar\n\n   \n", 0},
        {"musiklautstaerke = 0\r\neffektlautstaerke=100\n", 0},
        {"musiklautstaerke = 105\n", 1},
        {"effektlautstaerke = 7\n", 1},
        {"effektlautstaerke = -5\n", 1},
        {"vollbild = ja\nvollbild = vielleicht\n", 2},
        {"server =\nserver = localhost:65535\n", 0},
        {"server = localhost:65536\n", 1},
        {"name = fuenfzehn_zeich\n", 0},  // 15 characters
        {"name = sechzehn_zeichen\n", 1},  // 16
        {"name = a:b\n", 1},
        {"sprache = pt_BR\nsprache = sr@latin\nsprache =\n", 0},
        {"sprache = en.UTF-8\n", 1},
        {"sprache = abcdefghijklmnopq\n", 1},  // 17 characters, no catalogue's name
        {"farbe = rot\n", 1},
        {"musiklautstaerke 50\n", 1},
    };
    for (const Fall& f : faelle) {
        int zeile = -1;
        const std::optional<Einstellungen> e = einstellungenLesen(f.text, zeile);
        EXPECT_EQ(e.has_value(), f.fehlerzeile == 0) << f.text;
        EXPECT_EQ(zeile, f.fehlerzeile) << f.text;
    }
}

}  // namespace
}  // namespace qz

// "Gegen den Computer" from the sandbox menu to the lobby, with the real qz-server and qz-bot
// beside this test's executable: the private server comes up, the computer players take the
// free seats at the level chosen, leaving the lobby or closing the window ends every one of
// these processes, and the player's own server stays in the settings all along; a private
// server that dies ends the game with its message.
#include "app/programm.hpp"
#include "gezeichneter_text.hpp"
#include "multiplayer/session/meldung.hpp"
#include "platform/folders.hpp"
#include "platform/headless/headless_platform.hpp"
#include "platform/image.hpp"
#include "datei_inhalt.hpp"
#include "prozesse.hpp"
#include "umgebung.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace qz {
namespace {

namespace fs = std::filesystem;

using test::gibtEs;
const auto lesen = test::dateiInhalt;

// The arguments a process was started with, separated by spaces.
std::string aufruf(pid_t pid)
{
    std::string text = lesen("/proc/" + std::to_string(pid) + "/cmdline");
    std::replace(text.begin(), text.end(), '\0', ' ');
    return text;
}

struct GegenComputer : ::testing::Test {
    fs::path tmp = fs::current_path() / ("gegen-computer-" + std::to_string(::getpid()));
    Folders vorher = folders();
    test::Umgebung umgebung;
    // The player's own server: on loopback, where nothing answers.
    const std::string eigeneEinstellungen = "server = 127.0.0.1:9\n";

    HeadlessPlatform platform;
    std::unique_ptr<Programm> programm;

    void SetUp() override
    {
        umgebung.setzen("XDG_DATA_HOME", (tmp / "data").string());
        umgebung.setzen("XDG_CONFIG_HOME", (tmp / "config").string());
        umgebung.setzen("XDG_STATE_HOME", (tmp / "state").string());
        Folders f;
        f.settings = tmp / "config/qz/qz.conf";
        f.errorReport = tmp / "state/qz/fehlerbericht.txt";
        setFolders(f);
        fs::create_directories(f.settings.parent_path());
        std::ofstream(f.settings) << eigeneEinstellungen;

        // 20 passes a second of game time: the lobby polls every 2 s.
        platform.setPassRate(20);
        programm = std::make_unique<Programm>(platform);
        Anbindung anbindung = echteAnbindung();
        anbindung.bildLaden = [](const std::string&) { return imageCreate(156, 25, 0xFF404040); };
        startUp(*programm, anbindung);
    }
    void TearDown() override
    {
        if (programm) stopWorker(*programm);
        programm.reset();
        setFolders(vorher);
        fs::remove_all(tmp);
    }

    Rahmen& r() { return programm->rahmen; }
    Mehrspieler& mp() { return programm->mehrspieler; }
    ServerAddress adresse()
    {
        std::lock_guard lock(programm->server.Datenmutex);
        return programm->server.Serveradresse;
    }
    bool pass(int x, int y, int buttons = 0)
    {
        platform.moveMouse(x, y);
        platform.setButtons(buttons);
        return mainLoopPass(*programm);
    }
    void click(int x, int y)
    {
        pass(x, y, 1);
        pass(x, y, 0);
    }
    // Passes until `bedingung` holds; the worker and the other programs need real time.
    bool bisDann(const std::function<bool()>& bedingung)
    {
        // Generous: under the sanitizers four instrumented programs share the machine here.
        const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        while (!bedingung()) {
            if (std::chrono::steady_clock::now() > ende) return false;
            pass(0, 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }
    // ("Sandkasten" in the main menu,) "Gegen den Computer", the first computer player "Schwer",
    // the second "Leicht", "Spiel Starten".
    void starten()
    {
        if (r().Programmzustand == "hauptmenu") click(500, 230);
        ASSERT_EQ(r().Programmzustand, "sandkasten");
        click(500, 338);
        ASSERT_EQ(r().Unterzustand, "computer");
        // Two level boxes side by side, centred on x 512: 448..503 and 512..567. Each click moves
        // one on (Leicht, Mittel, Schwer, Leicht); the choice is kept from the game before.
        for (int k = 0; k < 3 && mp().computer.stufen(1) != kStufeSchwer; ++k) click(475, 403);
        for (int k = 0; k < 3 && mp().computer.stufen(2) != kStufeLeicht; ++k) click(540, 403);
        pass(0, 0);
        EXPECT_TRUE(test::zeigtText(platform.screen(), 452, 395, "Schwer"));
        EXPECT_TRUE(test::zeigtText(platform.screen(), 516, 395, "Leicht"));
        click(500, 461);
        ASSERT_TRUE(mp().computer.server.has_value()) << mp().meldung;
    }
    // From the lobby into the running game: a colour, "Bereit" once the server confirmed it,
    // "Spiel Starten" once every seat is ready; then Esc opens the game's menu.
    void insSpiel()
    {
        Spielstand& spiel = programm->spiel;
        ASSERT_TRUE(bisDann([&] { return mp().computer.spieler.size() == 2 && mp().SpielerName(3) != "Offen"; }));
        click(467, 405);
        ASSERT_TRUE(bisDann([&] { return spiel.spieler.spielerFarbe(1, 0) == 1; }));
        click(500, 461);  // "Bereit"
        ASSERT_TRUE(bisDann([&] { return mp().senden.bereitAnzahl == spiel.Spieleranzahl; }));
        click(500, 461);  // "Spiel Starten"
        ASSERT_TRUE(bisDann([&] { return spiel.spielLaeuft == 1 && r().Unterzustand.empty(); }));
        platform.holdKey(scan::Escape);
        pass(0, 0);
        platform.releaseKey(scan::Escape);
        ASSERT_EQ(r().Unterzustand, "hauptmenu");
    }
    std::vector<pid_t> prozesse()
    {
        std::vector<pid_t> pids = {mp().computer.server->kennung()};
        for (const Computerspiel::Computerspieler& s : mp().computer.spieler) pids.push_back(s.prozess.kennung());
        return pids;
    }
};

TEST_F(GegenComputer, TwoComputerPlayersTakeTheSeatsAndLeavingEndsEveryProcess)
{
    starten();
    const auto sitzen = [&] {
        const Mehrspieler& m = mp();
        return m.SpielerName(2).rfind("Computer", 0) == 0 && m.SpielerName(3).rfind("Computer", 0) == 0;
    };
    ASSERT_TRUE(bisDann(sitzen)) << lesen(tmp / "state/qz/computerspieler.log");
    EXPECT_EQ(r().Unterzustand, "channel");
    EXPECT_EQ(mp().SpielerName(4), "Geschlossen") << "the player and two computer players: three seats";
    EXPECT_EQ(adresse(), (ServerAddress{"127.0.0.1", static_cast<std::uint16_t>(mp().computer.server->port())}));
    const std::vector<pid_t> pids = prozesse();
    ASSERT_EQ(pids.size(), 3u);
    // Each at its own level, and the lobby shows it beside its seat.
    const std::vector<Computerspiel::Computerspieler>& computer = mp().computer.spieler;
    ASSERT_EQ(computer.size(), 2u);
    EXPECT_NE(aufruf(pids[1]).find(" --level schwer "), std::string::npos) << aufruf(pids[1]);
    EXPECT_NE(aufruf(pids[2]).find(" --level leicht "), std::string::npos) << aufruf(pids[2]);
    pass(0, 0);
    for (int sitz = 2; sitz <= 3; ++sitz) {
        const bool erster = mp().SpielerName(sitz) == computer[0].name;
        EXPECT_TRUE(test::zeigtText(platform.screen(), 634, 480 + 24 * (sitz - 1), erster ? "Schwer" : "Leicht",
                                    0xFFA0A0A0))
            << mp().SpielerName(sitz);
    }
    EXPECT_EQ(lesen(folders().settings), eigeneEinstellungen) << "the private server is not the player's server";

    click(500, 230);  // "Zurück" in the lobby
    for (const pid_t pid : pids) EXPECT_FALSE(gibtEs(pid)) << pid;
    EXPECT_EQ(r().Programmzustand, "sandkasten");
    EXPECT_EQ(adresse(), (ServerAddress{"127.0.0.1", 9}));
    EXPECT_EQ(lesen(folders().settings), eigeneEinstellungen);

    // Again, and this time the window is closed in the lobby.
    starten();
    ASSERT_TRUE(bisDann([&] { return mp().computer.spieler.size() == 2; }));
    const std::vector<pid_t> wieder = prozesse();
    platform.closeWindow();
    EXPECT_FALSE(pass(0, 0));
    shutDown(*programm);
    programm.reset();
    for (const pid_t pid : wieder) EXPECT_FALSE(gibtEs(pid)) << pid;
    EXPECT_EQ(lesen(folders().settings), eigeneEinstellungen);
}

// The running game's menu: "Neues Spiel" asks before it ends the game with its computer players
// and leads to the start of a new game against the computer; "Spiel Beenden" asks "Zum
// Hauptmenü?" and "Ja" leads there.
TEST_F(GegenComputer, NeuesSpielAndSpielBeendenAskBeforeTheyEndARunningGame)
{
    starten();
    insSpiel();
    const std::vector<pid_t> pids = prozesse();
    click(500, 230);  // "Neues Spiel"
    EXPECT_EQ(r().Unterzustand, "neu");
    click(580, 290);  // "Nein"
    EXPECT_EQ(r().Unterzustand, "hauptmenu");
    EXPECT_EQ(programm->spiel.spielLaeuft, 1);
    for (const pid_t pid : pids) EXPECT_TRUE(gibtEs(pid)) << pid;
    click(500, 230);
    click(440, 290);  // "Ja"
    for (const pid_t pid : pids) EXPECT_FALSE(gibtEs(pid)) << pid;
    EXPECT_EQ(r().Programmzustand, "multiplayer");
    EXPECT_EQ(r().Unterzustand, "computer") << "a new game against the computer";
    EXPECT_EQ(adresse(), (ServerAddress{"127.0.0.1", 9}));

    click(500, 461);  // "Spiel Starten" there
    ASSERT_TRUE(mp().computer.server.has_value()) << mp().meldung;
    insSpiel();
    const std::vector<pid_t> wieder = prozesse();
    click(500, 500);  // "Spiel Beenden"
    EXPECT_EQ(r().Unterzustand, "esc");
    click(440, 290);  // "Ja"
    for (const pid_t pid : wieder) EXPECT_FALSE(gibtEs(pid)) << pid;
    EXPECT_EQ(r().Programmzustand, "hauptmenu");
    EXPECT_EQ(adresse(), (ServerAddress{"127.0.0.1", 9}));
}

// A private game lost, because its server died or because the server no longer knows the game
// (the running game then shows "Verbindung zum Spiel verloren" and leaves for the multiplayer
// menu): the player is not left waiting, nor dropped into the sandbox menu without a word, but
// is back on "Gegen den Computer" with the message, and no computer player is left.
TEST_F(GegenComputer, ALostPrivateGameEndsOnItsStartScreenWithTheMessage)
{
    const std::string text = "Verbindung zum Spiel verloren";
    for (const bool serverStirbt : {true, false}) {
        SCOPED_TRACE(serverStirbt ? "the server dies" : "the game reports it lost");
        starten();
        ASSERT_TRUE(bisDann([&] { return mp().computer.spieler.size() == 2; }));
        const std::vector<pid_t> pids = prozesse();
        if (serverStirbt) {
            ::kill(pids[0], SIGKILL);
        } else {
            r().Unterzustand = "hauptmenu";
            meldungZeigen(mp(), textAusCp437(text), platform.timer());
        }
        ASSERT_TRUE(bisDann([&] { return !mp().computer.server.has_value(); }));
        for (const pid_t pid : pids) EXPECT_FALSE(gibtEs(pid)) << pid;
        EXPECT_EQ(r().Programmzustand, "multiplayer");
        EXPECT_EQ(r().Unterzustand, "computer");
        EXPECT_EQ(adresse(), (ServerAddress{"127.0.0.1", 9})) << "the player's own server is back";
        pass(0, 0);
        // The message in red, centred above the panel, exactly as drawn alone.
        ImagePtr allein = imageCreate(1024, 768, 0xFF000000);
        drawText(*allein, centredX(512, text.size()), kMeldungMenueY, text, 0xFFFF0000u);
        for (int y = kMeldungMenueY; y < kMeldungMenueY + 16; ++y)
            for (int x = 0; x < 1024; ++x)
                ASSERT_EQ((point(&platform.screen(), x, y) & 0xFFFFFFu) == 0xFF0000u,
                          (point(allein.get(), x, y) & 0xFFFFFFu) == 0xFF0000u) << x << "," << y;
        click(500, 230);  // "Zurück"
        ASSERT_EQ(r().Programmzustand, "sandkasten");
        platform.advance(kMeldungsdauer);
    }
}

}  // namespace
}  // namespace qz

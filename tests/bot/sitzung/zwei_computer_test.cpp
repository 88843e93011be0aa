// Two computer players against each other on the real qz-server, headless: one creates and
// hosts the channel, the other finds and joins it, both take a colour and get ready, the host
// starts, and over the game days that follow both colonise, build and fight. A third login
// watches them meanwhile and sees their fleets as the recording held them a minute before,
// never later; a seated player cannot watch. When the game
// ends, its recording is listed and fetched by a player and exported by the operator, and
// played back to the last day it shows the state the server held. The players' clocks are
// manual (a tenth of a second per pass); only the server's round trips take real time. It
// runs on SQLite and on PostgreSQL.
#include "bot/sitzung.hpp"
#include "game/recording.hpp"
#include "http_client.hpp"
#include "multiplayer/exchange/aufzeichnungen_austausch.hpp"
#include "storage/storage.hpp"
#include "viewer/wiedergabe.hpp"
#include "multiplayer/play/mp_tag.hpp"
#include "multiplayer/exchange/server_exchange.hpp"
#include "multiplayer/exchange/zuschauen_austausch.hpp"
#include "platform/headless/headless_platform.hpp"
#include "scenario.hpp"
#include "server_process.hpp"
#include "state/schiffslisten.hpp"
#include "systems/schiffswert.hpp"
#include "test_database.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <memory>
#include <thread>

namespace qz {
namespace {

struct Sitz {
    HeadlessPlatform platform;
    Serverdaten server;
    std::thread worker;
    std::vector<std::string> protokoll;
    std::unique_ptr<BotSitzung> bot;

    // What the test watched for over the game.
    int meisteSysteme = 0;
    int meisteSchiffe = 0;

    Sitz(int port, const BotEinstellungen& e)
    {
        worker = std::thread(THREAD1, std::ref(server), makeServerRoundTrip("127.0.0.1", static_cast<std::uint16_t>(port), 10.0));
        bot = std::make_unique<BotSitzung>(e, "pw-" + e.name, platform, server,
                                           [this](const std::string& z) { protokoll.push_back(z); });
    }
    ~Sitz()
    {
        {
            std::lock_guard lock(server.Datenmutex);
            server.ThreadEnde = 1;
            server.Datenbedingung.notify_one();
        }
        worker.join();
    }

    void beobachten()
    {
        const Spielstand& s = bot->spiel();
        const int eigen = s.eigenerSpieler;
        if (eigen < 1) return;
        int systeme = 0;
        for (int i = 1; i <= s.Sternanzahl; ++i) systeme += s.systeme.besitzer(i) == eigen ? 1 : 0;
        meisteSysteme = std::max(meisteSysteme, systeme);
        const SchiffSatz& satz = s.saetze(eigen);
        int schiffe = 0;
        for (int i = 1; i <= satz.anzahl; ++i) schiffe += schiffWert(satz, kTyp, i) > 0 ? 1 : 0;
        meisteSchiffe = std::max(meisteSchiffe, schiffe);
    }

    // The hull of the heavy battleship in no fleet standing at system `schlacht`; a hull is
    // repaired only in a hangar, so only a battle lowers it. -1 while it is not in the own
    // working set: not yet cut into it, or destroyed.
    int huelleBei(int schlacht) const
    {
        const Spielstand& s = bot->spiel();
        const SchiffSatz& satz = s.saetze(s.eigenerSpieler);
        for (int i = 1; i <= satz.anzahl; ++i)
            if (schiffWert(satz, kTyp, i) == 7 && schiffWert(satz, kFlotte, i) == 0 &&
                schiffWert(satz, kAngedockt, i) == 0 && schiffWert(satz, kOrt, i) == schlacht)
                return schiffWert(satz, kHuelle, i);
        return -1;
    }
};

struct ZweiComputer : ::testing::Test {
    test::TemporaryDirectory ordner;
    const std::string verzeichnis = ordner.path();
    std::unique_ptr<server::test::TestDatabase> datenbank;
    std::unique_ptr<server::test::ServerProcess> server;
    std::vector<std::unique_ptr<Sitz>> sitze;

    void TearDown() override
    {
        sitze.clear();
        server.reset();
        datenbank.reset();
    }

    // Passes of both players, a tenth of a game second each, until the condition holds or the
    // real deadline passes; `pause` of real time between two passes.
    bool bis(const std::function<bool()>& bedingung, double sekunden,
             std::chrono::milliseconds pause = std::chrono::milliseconds(2))
    {
        const auto ende = std::chrono::steady_clock::now() + std::chrono::duration<double>(sekunden);
        while (std::chrono::steady_clock::now() < ende) {
            if (bedingung()) return true;
            for (auto& s : sitze) {
                s->bot->schritt();
                s->beobachten();
                s->platform.advance(0.1);
            }
            std::this_thread::sleep_for(pause);
        }
        return bedingung();
    }
};

TEST_F(ZweiComputer, BothColoniseBuildAndFight)
{
    datenbank = std::make_unique<server::test::TestDatabase>(verzeichnis + "/bots.db");
    server = std::make_unique<server::test::ServerProcess>(datenbank->name(), std::vector<std::string>{},
                                                           verzeichnis + "/server.log");
    BotEinstellungen gastgeber;
    gastgeber.server = {"127.0.0.1", static_cast<std::uint16_t>(server->port())};
    gastgeber.kanal = "duell";
    gastgeber.name = "rechner1";
    gastgeber.sitze = 2;
    gastgeber.sterne = 200;
    gastgeber.stufe = Stufe::schwer;
    // The manual clocks run the game many times faster than the server's round trips let the
    // other side's news arrive: ten minutes of their game are no sign that the other left.
    BotEinstellungen gast = gastgeber;
    gast.name = "rechner2";
    gast.sitze = 0;
    gast.kanalPasswort = "";
    sitze.push_back(std::make_unique<Sitz>(server->port(), gastgeber));
    sitze.push_back(std::make_unique<Sitz>(server->port(), gast));
    Sitz& a = *sitze[0];
    Sitz& b = *sitze[1];

    ASSERT_TRUE(bis([&] { return a.bot->phase() == BotPhase::spiel && b.bot->phase() == BotPhase::spiel; }, 60.0))
        << (a.protokoll.empty() ? "" : a.protokoll.back()) << " / " << (b.protokoll.empty() ? "" : b.protokoll.back());
    EXPECT_EQ(a.bot->spiel().eigenerSpieler, 1);
    EXPECT_EQ(b.bot->spiel().eigenerSpieler, 2);
    EXPECT_NE(a.bot->spiel().spieler.spielerFarbe(1, 0), b.bot->spiel().spieler.spielerFarbe(2, 0));
    EXPECT_EQ(b.bot->spiel().Sternanzahl, 200);
    for (int i = 1; i <= 200; ++i) EXPECT_EQ(b.bot->spiel().systeme.pos(i, 1), a.bot->spiel().systeme.pos(i, 1)) << i;

    // Both start with their home planet alone and no ship; what they colonise and build is
    // their own doing.
    const bool gewachsen = bis(
        [&] {
            for (Sitz* s : {&a, &b})
                if (s->meisteSysteme < 2 || s->meisteSchiffe < 1) return false;
            return true;
        },
        240.0);
    for (Sitz* s : {&a, &b}) {
        SCOPED_TRACE(s->bot->lageBericht());
        EXPECT_GE(s->meisteSysteme, 2) << "colonised";
        EXPECT_GE(s->meisteSchiffe, 1) << "built";
        EXPECT_GT(s->bot->ausgefuehrt(Entscheidung{Kolonisieren{}}.index()), 0);
        EXPECT_GT(s->bot->ausgefuehrt(Entscheidung{SchiffBauen{}}.index()), 0);
    }
    ASSERT_TRUE(gewachsen);

    // A spectator, from the computer players' address too, polling every 2 s of real time as
    // the game does while the players play on: it sees the game once a minute has passed since
    // the start, both players' ships among what it sees.
    const int port = server->port();
    server::Storage speicher(datenbank->name());
    const std::string sitzung = speicher.channelIds().at(0);
    ASSERT_EQ(server::test::post(port, "", server::test::loginPairs("zuschauer")), "loginok");
    const auto zuschauenAlsBot = [&](const std::string& name) {
        return server::test::post(port, sitzung, {{"infos", "zuschauen"}, {"i1", name}});
    };
    EXPECT_EQ(zuschauenAlsBot("rechner1"), "fehler;;Wer mitspielt, schaut nicht zu");
    Zuschauen zuschauer;
    double gefragt = 0;  // server clock of the last poll
    auto naechsteAbfrage = std::chrono::steady_clock::now();
    const auto schiffeBeider = [&] {
        if (std::chrono::steady_clock::now() < naechsteAbfrage) return false;
        naechsteAbfrage += std::chrono::seconds(2);
        gefragt = std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
        const std::string antwort = server::test::post(
            port, sitzung, {{"infos", "zuschauen"}, {"i1", "zuschauer"}, {"seit", std::to_string(zuschauer.seit)}});
        EXPECT_TRUE(zuschauenLesen(antwort, zuschauer)) << antwort.substr(0, 80);
        return zuschauer.gezeigtMs >= 0 && !zuschauer.zustand.seats[0].texts[replay::type].empty() &&
               !zuschauer.zustand.seats[1].texts[replay::type].empty();
    };
    // The spectator's minute is real time: the players go at about their real pace meanwhile,
    // so that the game they fight in below is not decided yet.
    ASSERT_TRUE(bis(schiffeBeider, 180.0, std::chrono::milliseconds(60))) << zuschauer.gezeigtMs;
    {
        const std::vector<server::RecordingSummary> liste = speicher.recordings();
        ASSERT_EQ(liste.size(), 1u);
        const replay::Recording aufnahme = *speicher.loadRecording(liste[0].id);
        const double gezeigt = static_cast<double>(zuschauer.gezeigtMs) / 1000;
        // What the recording held at the moment shown, which is a minute or more before the poll.
        EXPECT_LE(liste[0].startedAt + gezeigt, gefragt - 60);
        EXPECT_TRUE(aufnahme.stateAt(gezeigt) == zuschauer.zustand);
        EXPECT_FALSE(aufnahme.stateAt(aufnahme.lengthSeconds()) == zuschauer.zustand) << "the game went on meanwhile";
    }

    // Their homes lie far apart, and within the test's days they seldom meet, so the test brings
    // them together: a heavy battleship of each at the same free system, standing in space in
    // no fleet, so that neither player's orders take it away. The server reports the battle to
    // both, and each applies it to its own ships while it plays on.
    int schlacht = 0;
    for (int i = 1; i <= 200 && !schlacht; ++i)
        if (a.bot->spiel().systeme.besitzer(i) == 0 && b.bot->spiel().systeme.besitzer(i) == 0) schlacht = i;
    ASSERT_GT(schlacht, 0);
    for (Sitz* s : {&a, &b}) {
        Spielstand& spiel = s->bot->spiel();
        const int eigen = spiel.eigenerSpieler;
        const int x = spiel.systeme.pos(schlacht, 1) + spiel.spieler.parkOffset(eigen, 1) - 16;
        const int y = spiel.systeme.pos(schlacht, 2) + spiel.spieler.parkOffset(eigen, 2) - 16;
        // Into the lists between a join and a cut, as the shipyard adds a ship.
        eigeneSchiffeVerbinden(spiel);
        schiffAnhaengen(spiel.schiffe, {7, 20000, 0, 0, schlacht, schlacht, x, y, x, y, 2000, 0, 0});
        schiffeSchneiden(spiel.schiffe, spiel.saetze(eigen));
    }
    ASSERT_GT(a.huelleBei(schlacht), 0);
    ASSERT_GT(b.huelleBei(schlacht), 0);
    const bool gekaempft = bis([&] { return a.huelleBei(schlacht) < 20000 && b.huelleBei(schlacht) < 20000; }, 60.0);
    for (Sitz* s : {&a, &b}) {
        SCOPED_TRACE(s->bot->lageBericht());
        EXPECT_LT(s->huelleBei(schlacht), 20000) << "fought";
        EXPECT_NE(s->bot->phase(), BotPhase::ende) << s->bot->endeGrund();
    }
    EXPECT_TRUE(gekaempft);

    // The recording, asked for as a player from the computer players' address.
    const auto aufzeichnungen = [port] {
        return server::test::post(port, "", {{"infos", "aufzeichnungen_auflisten"}, {"i1", "rechner1"}});
    };
    const auto holen = [port](const std::string& id, long long seit = 0) {
        return server::test::post(port, "", {{"infos", "aufzeichnung_holen"}, {"i1", "rechner1"}, {"i2", id},
                                             {"seit", std::to_string(seit)}});
    };
    // While the game runs its recording is offered to nobody.
    EXPECT_EQ(aufzeichnungen(), "aufzeichnungen_auflisten;;;;;;;;;;");
    EXPECT_EQ(holen("1"), "fehler;;Unbekannte Aufzeichnung");

    // The players stop; what the server holds of the game then is what the recording must end in.
    sitze.clear();
    const std::vector<std::string> kanaele = speicher.channelIds();
    ASSERT_EQ(kanaele.size(), 1u);
    replay::ReplayState gehalten;
    double gestartet = 0;
    {
        server::Storage::ChannelTransaction kanal(speicher, kanaele[0], server::Storage::ChannelTransaction::Wait::yes);
        ASSERT_TRUE(kanal.found());
        const server::ChannelState c = kanal.load();
        gehalten = server::recordedState(c);
        gestartet = c.startedAt;
    }
    ASSERT_EQ(server::test::runServerCommand({"channel", "close", kanaele[0], "--db", datenbank->name()}), 0);

    const std::string liste = aufzeichnungen();
    SCOPED_TRACE(liste);
    const std::string start = std::to_string(std::llround(gestartet));
    EXPECT_EQ(liste.rfind("aufzeichnungen_auflisten;;,1;;,duell;;,rechner1:rechner2;;," + start + ";;,", 0), 0u);
    std::string operatorListe;
    ASSERT_EQ(server::test::runServerCommand({"recordings", "--db", datenbank->name()}, "", &operatorListe), 0);
    EXPECT_NE(operatorListe.find("1  duell  players: rechner1, rechner2  start "), std::string::npos) << operatorListe;

    const std::string datei = verzeichnis + "/duell.qzr";
    ASSERT_EQ(server::test::runServerCommand({"recording", "export", "1", datei, "--db", datenbank->name()}), 0);
    // The player's recording comes in parts, each asked for from the last entry the one before brought.
    replay::Recording geholt;
    long long seit = 0;
    for (int teil = 0; teil < 100; ++teil) {
        const std::optional<bool> fertig = aufzeichnungsteilLesen(holen("1", seit), "1", geholt, seit);
        ASSERT_TRUE(fertig);
        if (*fertig) break;
    }
    const replay::Recording exportiert = replay::readQzrFile(datei);
    // The file keeps the start in whole seconds, the player gets it to the millisecond; the
    // rest byte for byte.
    EXPECT_NEAR(geholt.startedAt, exportiert.startedAt, 0.5);
    geholt.startedAt = exportiert.startedAt;
    EXPECT_EQ(replay::writeQzr(geholt), replay::writeQzr(exportiert)) << "the player gets the operator's recording";
    const std::string letzter = holen("1", seit - 1);
    EXPECT_EQ(letzter.substr(letzter.rfind(";;") + 2, 2 + std::to_string(seit).size()), "," + std::to_string(seit) + ":")
        << "from the entry before the last, only the last comes";
    for (const char* falsch : {"2", "0", "1x", ""}) EXPECT_EQ(holen(falsch), "fehler;;Unbekannte Aufzeichnung") << falsch;
    EXPECT_EQ(holen("1", seit), "fehler;;Aufzeichnungsteil ungueltig") << "nothing after the last entry";

    Wiedergabe wiedergabe(aufzeichnungPruefen(geholt));
    EXPECT_EQ(wiedergabe.aufnahme().players, (std::vector<std::string>{"rechner1", "rechner2"}));
    wiedergabe.zuTag(wiedergabe.letzterTag());
    EXPECT_TRUE(wiedergabe.zustand() == gehalten) << "the replay's last day differs from the server's game";
    EXPECT_FALSE(gehalten.battles.empty()) << "the battle the players fought is in both";
}

}  // namespace
}  // namespace qz

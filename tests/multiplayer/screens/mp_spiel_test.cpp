// The running multiplayer game on the headless backend: the 2-second exchange, which goes on
// behind the menus, the own ships never taken from the server, a new colony kept before its
// request went out, and the chat line.
#include "mp_fixture.hpp"

#include "state/eigener_spielstand.hpp"
#include "state/schiffslisten.hpp"
#include "multiplayer/screens/chat.hpp"
#include "multiplayer/play/eigener_teil.hpp"
#include "multiplayer/session/meldung.hpp"
#include "net/base64.hpp"
#include "net/server_address.hpp"
#include "platform/datei.hpp"
#include "platform/folders.hpp"
#include "systems/schiffstypen.hpp"
#include "systems/schiffswert.hpp"
#include "temporary_directory.hpp"

namespace qz {
namespace {

struct Spiel : MpFixture {
    void SetUp() override
    {
        MpFixture::SetUp();
        spiel.spielLaeuft = 1;
        spiel.eigenerSpieler = 1;
        spiel.Spieleranzahl = 2;
        spiel.Sternanzahl = 2;
        spiel.hintergrund = 1;
        spiel.karte.kartenBreite = 2560;
        spiel.karte.kartenHoehe = 1600;
        r.Hintergrundbild = imageCreate(2560, 1600, 0xFF000010);
        for (int p = 1; p <= 4; ++p)
            for (int t = 1; t <= 8; ++t) r.Schiffbild(p, t) = imageCreate(32, 32, 0xFFFF0000);
        for (int p = 1; p <= 2; ++p) {
            spiel.spieler.spielerFarbe(p, 0) = p;
            spiel.spieler.spielerFarbe(p, 1) = 200;
        }
        Sternsysteme& s = spiel.systeme;
        s.besitzer(1) = 1;
        s.typ(1) = 42;
        s.pos(1, 1) = 300;
        s.pos(1, 2) = 300;
        s.einwohner(1) = s.einwohnerBasis(1) = 100;
        s.pos(2, 1) = 1800;
        s.pos(2, 2) = 1200;
        mp.SpielerName(1) = "anna";
        mp.SpielerName(2) = "bert";
        mp.senden.SessionId = "S1";
        r.Unterzustand = "";
    }
    int tage() { return static_cast<int>(std::count(mp.piSysteme.begin(), mp.piSysteme.end(), ',')); }
    void schiff(int ort)
    {
        schiffAnhaengen(spiel.schiffe, {3, 100, 10, 0, ort, ort, 300, 320, 300, 320, 20, 1, 0});
        spiel.spieler.hoechsteFlotte(1) = 1;
    }
};

TEST_F(Spiel, FirstFrameSettlesADayAndSendsThenEveryTwoSeconds)
{
    pass();
    ASSERT_TRUE(offen());
    EXPECT_EQ(infos(), "spiel");
    EXPECT_EQ(gesendet()["PHPSESSID"], "S1");
    EXPECT_EQ(gesendet()["pi1"], ",1") << "the day's settled planets go out with the request";
    EigenerSpielstand teil;
    const std::optional<std::string> block = base64Dekodieren(gesendet()["privat"]);
    ASSERT_TRUE(block) << "the own part of the day goes out with it";
    ASSERT_EQ(eigenenTeilLesen(*block, teil), Lesefehler::Keiner);
    EXPECT_EQ(teil.wirtschaft.spieltag, 1);
    EXPECT_EQ(teil.systeme.size(), 1u);
    const std::string erster = gesendet()["privat"];
    spiel.wirtschaft.naechsterTag = 1e9;  // no second day while the exchanges are watched
    antworte("");
    platform.advance(1.9);
    pass();
    EXPECT_FALSE(offen());
    platform.advance(0.2);
    pass();
    EXPECT_TRUE(offen());
    EXPECT_EQ(gesendet()["privat"], erster) << "the request that carried it got no reply";
    antworte("fehler;;Datenbank nicht erreichbar");
    platform.advance(2.1);
    pass();
    ASSERT_TRUE(offen());
    EXPECT_EQ(gesendet()["privat"], erster) << "the server took the refused request back whole";
    EXPECT_EQ(gesendet()["pi1"], ",1");
    // Taken, but the server had no room for the part: the player is told it keeps no copy.
    antworte("#BES-,1,0-BES##privatvoll-1-privatvoll#");
    platform.advance(2.1);
    pass();
    ASSERT_TRUE(offen());
    EXPECT_EQ(gesendet().count("privat"), 0u) << "once it arrived, not again that day";
    EXPECT_EQ(mp.meldung, kTeilNichtGesichert);
    EXPECT_TRUE(roteZeile(kMeldungKarteY));
}

TEST_F(Spiel, TheDayKeepsWhatTheFrameBeforeItChanged)
{
    Sternsysteme& s = spiel.systeme;
    s.entdecker(2) = 1;
    s.typ(2) = 5;
    const int x = 1800 - 16, y = 1200 + 20 - 16;
    schiffAnhaengen(spiel.schiffe, {1, 450, 0, 0, 2, 2, x, y, x, y, 0, 1, 0});
    spiel.spieler.hoechsteFlotte(1) = 1;
    spiel.scrollX = 1800 - 512;
    spiel.scrollY = 1200 - 384;
    pass();
    antworte("");
    click(512, 384);
    ASSERT_EQ(spiel.gewaehltesSystem, 2);
    pass();
    click(380, 150);  // "Kolonisieren" uses the colony ship up
    ASSERT_EQ(s.besitzer(2), 1);
    platform.advance(5.0);
    pass();
    EXPECT_EQ(spiel.schiffe[kTyp], "") << "the colony ship must not come back with the day";
    EXPECT_EQ(spiel.saetze(1).anzahl, 0);
}

// A player back in a running game: the game asks for the own part with a request that carries
// nothing of its fresh start and holds its first day until the reply; it takes the newer of the
// local and the server's copy, and its own ships from the server's lists with what the server
// does not hold from the part. A copy that is damaged or of another game is refused with a line
// in the error report, and nothing of it is taken.
TEST_F(Spiel, BackInTheGameTheNewerOwnPartAndTheServersShipsAreTaken)
{
    const test::TemporaryDirectory temporaer;
    const std::filesystem::path tmp = temporaer.path();
    const Folders vorher = folders();
    // The test's folders hold until its end, also when an assertion ends it early.
    const struct Zurueck {
        Folders ordner;
        ~Zurueck() { setFolders(ordner); }
    } zurueck{vorher};
    Folders ordner = vorher;
    ordner.mehrspieler = tmp / "mehrspieler";
    ordner.errorReport = tmp / "fehlerbericht.txt";
    setFolders(ordner);
    mp.LoginName = "anna";
    const std::filesystem::path kopie = eigeneKopie(serverAddressText(server.Serveradresse), "S1", "anna");
    ASSERT_EQ(kopie.parent_path(), ordner.mehrspieler);

    // The parts of days 7 and 8 with the ship the player had: hull, shield, firepower and
    // target are the part's alone.
    schiffAnhaengen(spiel.schiffe, {3, 77, 9, 0, 1, 2, 300, 320, 1784, 1204, 21, 1, 0});
    spiel.spieler.hoechsteFlotte(1) = 1;
    auto teilVom = [&](int tag, int geld) {
        spiel.wirtschaft.spieltag = tag;
        spiel.wirtschaft.geld = geld;
        return eigenenTeilSchreiben(spiel, mp.senden.abkommenStand, 0);
    };
    const std::string tag7 = teilVom(7, 700), tag8 = teilVom(8, 800);
    spiel.systeme.pos(2, 1) += 1;
    const std::string fremd = teilVom(9, 900);
    spiel.systeme.pos(2, 1) -= 1;
    std::string gekippt = tag8;
    gekippt[gekippt.size() / 2] ^= 0x01;

    const std::string serverFehler = "\"Eigener Spielstand verworfen, beschaedigt: Server\"\r\n";
    const struct {
        const char* name;
        std::optional<std::string> lokal, vomServer;  // the server's copy as sent in the record
        int geld;
        std::string bericht;
    } faelle[] = {
        {"nur der Server", std::nullopt, base64Kodieren(tag7), 700, ""},
        {"nur lokal", tag8, std::nullopt, 800, ""},
        {"lokal neuer", tag8, base64Kodieren(tag7), 800, ""},
        {"der Server neuer", tag7, base64Kodieren(tag8), 800, ""},
        {"der Server beschaedigt", tag7, base64Kodieren(gekippt), 700, serverFehler},
        {"der Server kein Base64", std::nullopt, "abc", 2000, serverFehler},
        {"lokal abgeschnitten", tag8.substr(0, tag8.size() - 1), base64Kodieren(tag7), 700,
         "\"Eigener Spielstand verworfen, beschaedigt: " + kopie.string() + "\"\r\n"},
        {"ein anderes Spiel", std::nullopt, base64Kodieren(fremd), 2000,
         "\"Eigener Spielstand verworfen, anderes Spiel: Server\"\r\n"},
        {"keine", std::nullopt, std::nullopt, 2000, ""},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        std::filesystem::remove_all(tmp);
        std::filesystem::create_directories(ordner.mehrspieler);
        if (fall.lokal) {
            ASSERT_TRUE(dateiErsetzen(kopie, *fall.lokal));
        }
        spiel.schiffe.clear();
        spiel.saetze(1).clear();
        spiel.spieler.hoechsteFlotte(1) = 0;
        spiel.wirtschaft = Wirtschaft{};
        spiel.wirtschaft.naechsterTag = platform.timer();
        spiel.systeme.besitzer(2) = 0;
        spiel.systeme.einwohner(2) = spiel.systeme.einwohnerMax(2) = 0;
        spiel.systeme.einwohnerBasis(2) = 40;
        mp.handelswegText(1).clear();
        mp.eigenerTeilHolen = true;
        mp.holenGesendet = false;
        mp.naechsterAustausch = 0.0;

        pass();
        ASSERT_TRUE(offen());
        const auto paare = gesendet();
        EXPECT_EQ(paare.at("privatholen"), "1");
        EXPECT_EQ(paare.at("i1"), "anna");
        EXPECT_EQ(paare.size(), 4u) << "PHPSESSID, infos, i1 and privatholen: nothing of the fresh start";
        EXPECT_EQ(tage(), 0) << "the first day waits for the reply";
        // The ship of the part, and a battleship built since, docked at the home planet; system 2
        // colonised since.
        std::string antwort = "#BES-,1,1-BES##si1typ-,3,7-si1typ##si1doc-,0,1-si1doc##si1uml-,1,0-si1uml#"
                              "#si1bwg-,0,0-si1bwg##si1fid-,1,2-si1fid##si1pox-,300,0-si1pox##si1poy-,320,0-si1poy#"
                              "#si1fig-2-si1fig##s1hweg-,1,2-s1hweg#";
        if (fall.vomServer) antwort += "#privat-" + *fall.vomServer + "-privat#";
        antworte(antwort);
        pass();

        EXPECT_FALSE(mp.eigenerTeilHolen);
        EXPECT_EQ(spiel.wirtschaft.geld, fall.geld);
        EXPECT_EQ(dateiLesen(ordner.errorReport).value_or(""), fall.bericht);
        const bool mitTeil = fall.geld != 2000;
        // Without the part both ships are whole ships of their type, as the shipyard makes them.
        auto neu = [](int typ, int Schiffstyp::*wert) { return "," + std::to_string(schiffstyp(typ).*wert); };
        EXPECT_EQ(spiel.schiffe[kTyp], ",3,7");
        EXPECT_EQ(spiel.schiffe[kHuelle], (mitTeil ? ",77" : neu(3, &Schiffstyp::huelle)) + neu(7, &Schiffstyp::huelle));
        EXPECT_EQ(spiel.schiffe[kSchild], (mitTeil ? ",9" : neu(3, &Schiffstyp::schild)) + neu(7, &Schiffstyp::schild));
        EXPECT_EQ(spiel.schiffe[kFeuerkraft],
                  (mitTeil ? ",21" : neu(3, &Schiffstyp::feuerkraft)) + neu(7, &Schiffstyp::feuerkraft));
        EXPECT_EQ(spiel.schiffe[kZiel], mitTeil ? ",2,0" : ",1,0") << "without the part a ship stands where it is";
        EXPECT_EQ(spiel.schiffe[kAngedockt], ",0,1");
        EXPECT_EQ(spiel.saetze(1).anzahl, 2);
        EXPECT_EQ(spiel.spieler.hoechsteFlotte(1), 2);
        EXPECT_EQ(spiel.systeme.einwohner(2), 15) << "a new colony: the smaller of 15 and its base of 40";
        EXPECT_EQ(spiel.systeme.einwohnerMax(2), 40);
        antworte("");
        platform.advance(2.0);
        pass();
        EXPECT_EQ(gesendet()["hwege"], ",1,2") << "the routes the server keeps, until the first day";
        antworte("");
    }
}

// Each game leaves its copy behind; writing one removes those not written for a week.
TEST_F(Spiel, CopiesOfGamesLongOverGoWhenTheNextIsWritten)
{
    const test::TemporaryDirectory temporaer;
    const std::filesystem::path ordner = temporaer.path();
    const auto jetzt = std::filesystem::file_time_type::clock::now();
    const std::filesystem::path alt = ordner / "alt.qz", frisch = ordner / "frisch.qz";
    ASSERT_TRUE(dateiErsetzen(alt, "a"));
    ASSERT_TRUE(dateiErsetzen(frisch, "f"));
    std::filesystem::last_write_time(alt, jetzt - kKopieVeraltet - std::chrono::minutes(1));
    std::filesystem::last_write_time(frisch, jetzt - kKopieVeraltet + std::chrono::minutes(1));
    eigeneKopieSchreiben(mp, ordner / "neu.qz", "n");
    ASSERT_TRUE(mp.kopieGeschrieben.get());
    EXPECT_FALSE(std::filesystem::exists(alt));
    EXPECT_TRUE(std::filesystem::exists(frisch));
    EXPECT_EQ(dateiLesen(ordner / "neu.qz"), "n");
}

TEST_F(Spiel, TheGameAndTheExchangeGoOnBehindTheMenuTheOptionsAndTheLeaveDialog)
{
    pass();
    antworte("#BES-,1,0-BES#");  // the server has the first day's reports
    pass();
    platform.holdKey(scan::Escape);
    pass();
    platform.releaseKey(scan::Escape);
    ASSERT_EQ(r.Unterzustand, "hauptmenu");
    // Each screen covering the map for 5 s: one day and a request every 2 s, as on the map;
    // others keep playing meanwhile.
    const auto fuenfSekunden = [&] {
        const int vorher = spiel.wirtschaft.spieltag;
        int anfragen = 0;
        for (int s = 0; s < 5; ++s) {
            platform.advance(1.0);
            pass();
            if (offen()) {
                ++anfragen;
                antworte("");
            }
        }
        EXPECT_EQ(spiel.wirtschaft.spieltag, vorher + 1) << r.Unterzustand;
        EXPECT_GE(anfragen, 2) << r.Unterzustand;
    };
    fuenfSekunden();
    click(500, 390);  // "Option"
    ASSERT_EQ(r.Unterzustand, "option");
    fuenfSekunden();
    click(500, 230);  // "Zurück"
    click(500, 500);  // "Spiel Beenden"
    ASSERT_EQ(r.Unterzustand, "esc");
    fuenfSekunden();

    // A server that no longer knows the game ends it behind the dialog as on the map.
    platform.advance(2.0);
    pass();
    antworte("fehler;;Unbekannte Sitzung");
    pass();
    EXPECT_EQ(r.Unterzustand, "hauptmenu");
    EXPECT_EQ(spiel.spielLaeuft, 0);
    pass();
    EXPECT_TRUE(roteZeile(160)) << "Verbindung zum Spiel verloren";
}

TEST_F(Spiel, OwnShipRecordsNeverOverwriteTheOwnShips)
{
    schiff(1);
    pass();
    antworte("#si1typ-,8,8-si1typ##si1pox-,5,5-si1pox##si2typ-,4-si2typ##si2pox-,1700-si2pox##si2poy-,1100-si2poy#");
    pass();
    EXPECT_EQ(spiel.saetze(1).anzahl, 1);
    EXPECT_EQ(spiel.saetze(1).wert(kTyp, 1), 3);
    EXPECT_EQ(spiel.schiffe[kTyp], ",3");
    EXPECT_EQ(spiel.saetze(2).anzahl, 1);
    EXPECT_EQ(spiel.saetze(2).wert(kX, 1), 1700);
}

TEST_F(Spiel, AColonisationIsRepeatedUntilAReplyShowsTheSystemOwned)
{
    pass();
    spiel.systeme.besitzer(2) = 1;
    mp.senden.kolonisation = 2;
    antworte("#BES-,1,0-BES#");
    pass();
    EXPECT_EQ(spiel.systeme.besitzer(2), 1) << "the reply predates the colonisation";
    platform.advance(2.0);
    pass();
    EXPECT_EQ(gesendet()["kolo"], "2");
    antworte("");
    platform.advance(2.0);
    pass();
    EXPECT_EQ(gesendet()["kolo"], "2") << "the request was lost: the colonisation goes out again";
    antworte("#BES-,1,1-BES#");
    platform.advance(2.0);
    pass();
    EXPECT_EQ(gesendet().count("kolo"), 0u) << "never again once a reply shows the system owned";
    EXPECT_EQ(spiel.systeme.besitzer(2), 1);
}

TEST_F(Spiel, BattleDamageReachesTheOwnListsAndLossesAreDropped)
{
    schiff(2);
    schiff(2);
    pass();
    ASSERT_EQ(spiel.saetze(1).anzahl, 2);
    antworte("#kuml2-#sp1ksid-,1,2-sp1ksid##sp2ksid-,1-sp2ksid##sp2kfkt-,300-sp2kfkt#-2kuml#");
    pass();
    EXPECT_EQ(spiel.schiffe[kTyp], "") << "150 each: shields 10, hull 100, both lost";
    EXPECT_EQ(spiel.saetze(1).anzahl, 0);
}

TEST_F(Spiel, ABattleLossFreesTheRouteSlotAndTheHangarKeepsItsSelectedShip)
{
    // Fleet 1 waits for its route east; two ships in the home hangar; fleet 2 stands at home.
    schiffAnhaengen(spiel.schiffe, {3, 100, 10, 0, 0, 2, 300, 320, 600, 320, 20, 1, 0});
    schiffAnhaengen(spiel.schiffe, {2, 500, 0, 1, 0, 0, 0, 0, 0, 0, 20, 0, 0});
    schiffAnhaengen(spiel.schiffe, {4, 700, 0, 1, 0, 0, 0, 0, 0, 0, 20, 0, 0});
    schiffAnhaengen(spiel.schiffe, {3, 600, 0, 0, 1, 1, 284, 304, 284, 304, 20, 2, 0});
    spiel.spieler.hoechsteFlotte(1) = 2;
    pass();
    antworte("");
    ASSERT_EQ(spiel.karte.routenauftrag.flotte, 1);
    click(300, 300);
    click(333, 21);   // tab 5, the hangar
    click(400, 280);  // its second cell: ship 3
    ASSERT_EQ(spiel.karte.hangarSchiff, 3);

    antworte("#kuml2-#sp1ksid-,1-sp1ksid##sp2ksid-,1-sp2ksid##sp2kfkt-,1000-sp2kfkt#-2kuml#");
    pass();
    ASSERT_EQ(spiel.saetze(1).anzahl, 3);
    EXPECT_EQ(spiel.karte.hangarSchiff, 2) << "the same ship under its new number";
    EXPECT_EQ(spiel.saetze(1).wert(kTyp, spiel.karte.hangarSchiff), 4);
    EXPECT_EQ(spiel.karte.routenauftrag.status, 0) << "the slot of the destroyed fleet is free";
    spiel.saetze(1).setze(kZielX, 3, 600);
    pass();
    EXPECT_EQ(spiel.karte.routenauftrag.flotte, 2) << "other fleets get routes again";
}

TEST_F(Spiel, ARefusalIsShownAndAnUnknownSessionEndsTheGame)
{
    pass();
    antworte("#si2typ-,4-si2typ##si2pox-,1700-si2pox##si2poy-,1100-si2poy#");
    pass();
    antworte("fehler;;Nicht angemeldet");
    pass();
    EXPECT_TRUE(roteZeile(645));
    EXPECT_EQ(spiel.saetze(2).anzahl, 1) << "a refusal carries no game state";

    platform.advance(2.0);
    pass();
    antworte("fehler;;Unbekannte Sitzung");
    pass();
    EXPECT_EQ(r.Unterzustand, "hauptmenu");
    EXPECT_EQ(spiel.spielLaeuft, 0);
    pass();
    EXPECT_TRUE(roteZeile(160)) << "Verbindung zum Spiel verloren";
    platform.advance(2.0);
    pass();
    EXPECT_FALSE(offen()) << "the game does not go on alone";
}

TEST_F(Spiel, ChatLineOfFortyCharactersWithoutSemicolonsIsSentUntilAReplyCame)
{
    pass(0, -1, -1, "\r");
    EXPECT_EQ(mp.chatFokus, kChatFokus);
    type(std::string(30, 'a') + ";" + std::string(15, 'b'));
    EXPECT_EQ(mp.senden.chatZeile, std::string(30, 'a') + std::string(10, 'b'));
    pass(0, -1, -1, "\r");
    EXPECT_EQ(mp.senden.chatSenden, 1);
    EXPECT_EQ(mp.chatFokus, 0);
    antworte("");
    platform.advance(2.0);
    pass();
    EXPECT_EQ(gesendet()["chat"], std::string(30, 'a') + std::string(10, 'b'));
    antworte("");  // the server was not reached
    platform.advance(2.0);
    pass();
    EXPECT_EQ(gesendet()["chat"], std::string(30, 'a') + std::string(10, 'b')) << "the line goes out again";
    antworte("fehler;;Datenbank nicht erreichbar");
    platform.advance(2.0);
    pass();
    EXPECT_EQ(gesendet()["chat"], std::string(30, 'a') + std::string(10, 'b')) << "and again after a refusal";
    antworte("#BES-,1,0-BES#");
    platform.advance(2.0);
    pass();
    EXPECT_EQ(mp.senden.chatSenden, 0);
    EXPECT_EQ(gesendet().count("chat"), 0u);
}

TEST_F(Spiel, ChatWaitingShowsSendeAndRightClickDropsTheLine)
{
    click(600, 680);
    EXPECT_EQ(mp.chatFokus, kChatFokus);
    type("hallo");
    pass(2, 600, 300);
    EXPECT_EQ(mp.chatFokus, 0);
    EXPECT_EQ(mp.senden.chatZeile, "");
    pass(0, -1, -1, "\r");
    type("  ");
    pass(0, -1, -1, "\r");
    EXPECT_EQ(mp.senden.chatSenden, 0) << "a line of spaces is not sent";
}

TEST_F(Spiel, ChatHistoryShowsNamesAndServerLines)
{
    antworte("#chat-1;-;hallo;-;5;-;Server-chat#");
    pass();
    EXPECT_EQ(chatZeile(mp, 0), textAusCp437("anna: hallo"));
    EXPECT_EQ(chatZeile(mp, 1), textAusCp437("Server"));
}

// The selected fleet's panel and the chat share the bottom left of the map: one at a time, so
// no text is drawn over another, and a click on "Andocken" docks instead of opening the chat.
TEST_F(Spiel, TheFleetPanelAndTheChatNeverDrawOverEachOther)
{
    schiff(1);
    pass();
    antworte("#chat-1;-;hallo-chat#");
    pass();
    ASSERT_TRUE(zeigtText(10, 693, "anna: hallo"));
    click(316, 336);  // the fleet standing at its home
    ASSERT_EQ(spiel.karte.gewaehlteFlotte, 1);
    pass();
    EXPECT_TRUE(zeigtText(350, 682, "1x")) << "the panel counts the one ship of type 3";
    EXPECT_FALSE(zeigtText(10, 693, "anna: hallo"));

    // Enter opens the chat in the panel's place; the fleet stays selected for later.
    pass(0, -1, -1, "\r");
    ASSERT_EQ(mp.chatFokus, kChatFokus);
    pass();
    EXPECT_TRUE(zeigtText(10, 693, "anna: hallo"));
    EXPECT_FALSE(zeigtText(604, 673, "Andocken"));
    EXPECT_EQ(spiel.karte.gewaehlteFlotte, 1);
    pass(2, 600, 300);  // the right click drops the chat's focus only
    EXPECT_EQ(spiel.karte.gewaehlteFlotte, 1);
    pass();
    EXPECT_TRUE(zeigtText(604, 673, "Andocken"));
    click(600, 680);  // "Andocken"
    EXPECT_EQ(mp.chatFokus, 0);
    EXPECT_EQ(schiffWert(spiel.saetze(1), kAngedockt, 1), 1);
    EXPECT_EQ(spiel.karte.gewaehlteFlotte, 0);
    pass();
    EXPECT_TRUE(zeigtText(10, 693, "anna: hallo"));
}

}  // namespace
}  // namespace qz

// The channel list with its pages and joining, and the lobby: creation every 4 s until the
// session id, polls every 2 s, slots, colours, "Bereit", the host's star count and start, the
// star-map upload and the entry into the game.
#include "mp_fixture.hpp"

#include "gfx/widgets.hpp"
#include "multiplayer/session/meldung.hpp"

namespace qz {
namespace {

std::string kanalListe(int n, int voll = 0)
{
    std::string ids, namen, pw, spieler, max, sterne;
    for (int i = 1; i <= n; ++i) {
        ids += ",id" + std::to_string(i);
        namen += ",k" + std::to_string(i);
        pw += i == 2 ? ",*" : ",";
        spieler += i == voll ? ",3" : ",1";
        max += ",3";
        sterne += ",150";
    }
    return "channel_auflisten;;" + ids + ";;" + namen + ";;" + pw + ";;" + spieler + ";;" + max + ";;" + sterne;
}

struct KanalListe : MpFixture {
    void SetUp() override
    {
        MpFixture::SetUp();
        r.Unterzustand = "hauptmenu";
        mp.LoginName = "carla";
        click(500, 340);
    }
    int zeileY(int zeile) { return 350 + 39 * (zeile - 1) + 20; }
};

TEST_F(KanalListe, EmptyListSaysSo)
{
    antworte("channel_auflisten;;;;;;;;;;;;");
    pass();
    EXPECT_EQ(mp.KanalAnzahl, 0);
}

TEST_F(KanalListe, SixChannelsMakeTwoPages)
{
    antworte(kanalListe(6));
    pass();
    ASSERT_EQ(mp.KanalAnzahl, 6);
    click(500, zeileY(5));
    EXPECT_EQ(mp.KanalAuswahl, 5);
    click(372, 340);
    EXPECT_EQ(mp.KanalSeite, 1) << "no previous page on page 1";
    click(652, 340);
    EXPECT_EQ(mp.KanalSeite, 2);
    EXPECT_EQ(mp.KanalAuswahl, 0);
    click(500, zeileY(1));
    EXPECT_EQ(mp.KanalAuswahl, 6);
    click(500, zeileY(2));
    EXPECT_EQ(mp.KanalAuswahl, 6) << "no row 7";
    click(652, 340);
    EXPECT_EQ(mp.KanalSeite, 2) << "no next page after the last";
    click(372, 340);
    EXPECT_EQ(mp.KanalSeite, 1);
}

TEST_F(KanalListe, FullChannelsCannotBeSelectedNorJoined)
{
    antworte(kanalListe(3, 2));
    pass();
    click(500, zeileY(2));
    EXPECT_EQ(mp.KanalAuswahl, 0);
    click(500, 340);
    EXPECT_EQ(r.Unterzustand, "channel_auflisten") << "no Beitreten without a selection";
    click(500, zeileY(3));
    pass(2, 500, 600);
    EXPECT_EQ(mp.KanalAuswahl, 0) << "a right click clears the selection";
}

TEST_F(KanalListe, BeitretenTakesTheChannelsValues)
{
    antworte(kanalListe(2));
    pass();
    click(500, zeileY(2));
    click(500, 340);
    EXPECT_EQ(r.Unterzustand, "channel");
    EXPECT_EQ(mp.senden.SessionId, "id2");
    EXPECT_EQ(spiel.Spieleranzahl, 3);
    EXPECT_EQ(spiel.Sternanzahl, 150);
    EXPECT_EQ(mp.SpielerName(4), "Geschlossen");
    EXPECT_EQ(spiel.eigenerSpieler, 0);
}

TEST_F(KanalListe, TheOwnRunningGameIsMarkedAndJoiningItTakesTheSeatBack)
{
    EXPECT_EQ(gesendet()["sitz"], "carla") << "the list is asked for with the login's name";
    antworte(kanalListe(2, 2) + ";;,,1");  // channel 2 is full and runs with carla's seat
    pass();
    ASSERT_EQ(mp.KanalAnzahl, 2);
    EXPECT_TRUE(zeigtText(370, zeileY(1), "Spieler: 1/3, Sterne: 150, PW: Nein"));
    EXPECT_TRUE(zeigtText(370, zeileY(2), "l\x84uft - Fortsetzen, Sterne: 150"));
    click(500, zeileY(2));
    EXPECT_EQ(mp.KanalAuswahl, 2) << "full, but the own seat waits";
    click(500, 340);
    ASSERT_EQ(r.Unterzustand, "channel");
    pass();
    ASSERT_TRUE(offen());
    EXPECT_EQ(gesendet()["i2"], "carla");
    // carla hosted: slot 1 is hers again, and the star map comes from the server.
    antworte("channel;;1;;2;;#SP1-,1,carla,3,1-SP1##SP2-,2,bert,4,1-SP2#"
             "#NAM-,Heimatplanet,Heimatplanet-NAM##POX-,100,2000-POX##POY-,100,1500-POY##BES-,1,2-BES#"
             "#TYP-,42,42-TYP##ENW-,80,90-ENW##VRS-,60,61-VRS##FOP-,50,51-FOP##HDM-,30,31-HDM##WFT-,45,46-WFT#"
             "#STK-4-STK#");
    pass();
    EXPECT_EQ(r.Unterzustand, "");
    EXPECT_EQ(spiel.eigenerSpieler, 1);
    EXPECT_EQ(spiel.systeme.besitzer(2), 2);
    EXPECT_EQ(spiel.systeme.einwohner(1), 80);
    EXPECT_EQ(spiel.hintergrund, 4);
}

TEST_F(KanalListe, AktualisierenAsksAgainFromPageOne)
{
    antworte(kanalListe(7));
    pass();
    click(652, 340);
    click(500, 285);
    EXPECT_EQ(mp.KanalSeite, 1);
    EXPECT_TRUE(offen());
    EXPECT_EQ(infos(), "channel_auflisten");
}

struct LobbyScreen : MpFixture {
    void host()
    {
        r.Unterzustand = "hauptmenu";
        mp.LoginName = "anna";
        click(500, 230);
        click(470, 314);
        click(470, 314);
        mp.KanalName = "runde";
        click(500, 425);
        ASSERT_EQ(r.Unterzustand, "channel");
    }
};

TEST_F(LobbyScreen, HostCreatesEveryFourSecondsUntilTheSessionIdThenPollsEveryTwo)
{
    host();
    pass();
    ASSERT_TRUE(offen());
    EXPECT_EQ(infos(), "channel_erstellen");
    EXPECT_EQ(gesendet()["i3"], "2");
    antworte("");
    platform.advance(3.9);
    pass();
    EXPECT_FALSE(offen());
    platform.advance(0.2);
    pass();
    ASSERT_TRUE(offen());
    EXPECT_EQ(infos(), "channel_erstellen");
    antworte("channel;;0;;200;;#sid-S1-sid##SP1-,1,anna,0,0-SP1##SP2-,2,-SP2#");
    pass();
    EXPECT_EQ(mp.senden.SessionId, "S1");
    platform.advance(2.0);
    pass();
    EXPECT_FALSE(offen()) << "the creation's 4 s period runs out first";
    platform.advance(2.0);
    pass();
    ASSERT_TRUE(offen());
    auto paare = gesendet();
    EXPECT_EQ(paare["infos"], "channel");
    EXPECT_EQ(paare["PHPSESSID"], "S1");
    EXPECT_EQ(paare["i1"], "0");
    EXPECT_EQ(paare["i2"], "anna");
    EXPECT_EQ(paare["i5"], "200");
}

TEST_F(LobbyScreen, ColourThenReadyThenStartGeneratesAndUploadsTheMap)
{
    host();
    mp.senden.SessionId = "S1";
    click(500, 460);
    EXPECT_EQ(mp.EigenesBereit, 0);
    EXPECT_TRUE(roteZeile(kMeldungMenueY)) << "Erst eine Farbe wählen";
    platform.advance(kMeldungsdauer);
    click(470, 405);
    EXPECT_EQ(mp.GewaehlteFarbe, 1);
    click(556, 405);
    EXPECT_EQ(mp.GewaehlteFarbe, 8);
    // "Bereit" at once, before the server confirmed the colour: both go out in the next poll,
    // and the server takes the colour before the flag.
    click(500, 460);
    EXPECT_EQ(mp.EigenesBereit, 1);
    EXPECT_FALSE(roteZeile(kMeldungMenueY));
    server.Empfangsdaten = "channel;;0;;200;;#SP1-,1,anna,8,0-SP1##SP2-,2,bert,3,1-SP2#";
    pass();
    EXPECT_EQ(spiel.spieler.spielerFarbe(2, 1), 36) << "slot colours follow the palette";

    // Bert's colour: refused with the reason, and the palette keeps framing the own colour.
    click(495, 405);
    EXPECT_EQ(mp.GewaehlteFarbe, 8);
    EXPECT_TRUE(roteZeile(kMeldungMenueY)) << "Farbe schon vergeben";
    EXPECT_EQ(point(&platform.screen(), 551, 405) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_NE(point(&platform.screen(), 486, 405) & 0xFFFFFF, 0xFFFFFFu);
    platform.advance(kMeldungsdauer);
    // Asked for while free, but bert took it first: the own colour comes back with the reason.
    click(508, 405);
    EXPECT_EQ(mp.GewaehlteFarbe, 4);
    server.Empfangsdaten = "channel;;0;;200;;#SP1-,1,anna,8,0-SP1##SP2-,2,bert,4,1-SP2#";
    pass();
    EXPECT_EQ(mp.GewaehlteFarbe, 8);
    EXPECT_TRUE(roteZeile(kMeldungMenueY)) << "Farbe schon vergeben";

    click(550, 314);
    EXPECT_EQ(spiel.Sternanzahl, 200) << "no increase beyond 200";
    click(470, 314);
    click(470, 314);
    click(470, 314);
    EXPECT_EQ(spiel.Sternanzahl, 50);
    EXPECT_EQ(mp.SterneAngesagt, 50);

    server.Empfangsdaten = "channel;;0;;50;;#SP1-,1,anna,8,1-SP1##SP2-,2,bert,3,1-SP2#";
    pass();
    server.Anfrageoffen = 0;
    platform.advance(2.0);
    click(500, 460);
    EXPECT_EQ(mp.SternkarteBereit, 0) << "posted at once";
    ASSERT_TRUE(offen());
    auto paare = gesendet();
    EXPECT_EQ(paare["i1"], "42");
    EXPECT_EQ(std::count(paare["i6"].begin(), paare["i6"].end(), ','), 50);
    int heimat = 0;
    for (int i = 1; i <= 50; ++i) heimat += spiel.systeme.typ(i) == 42 ? 1 : 0;
    EXPECT_EQ(heimat, 2);
    EXPECT_GE(std::stoi(paare["skarte"]), 1);
    for (int i = 1; i <= 50; ++i) {
        if (spiel.systeme.besitzer(i) == 2) {
            EXPECT_NE(spiel.systeme.befestigungMax(i), 5000) << "only the host's own";
        }
        if (spiel.systeme.besitzer(i) >= 1) {
            EXPECT_EQ(spiel.systeme.entdecker(i), 0);
        }
    }

    // The upload is lost. A second click makes no new map; the same one goes out again.
    antworte("");
    platform.advance(2.0);
    click(500, 460);
    EXPECT_EQ(point(&platform.screen(), 441, 456) & 0xFFFFFF, 0x3B3B3Bu) << "the button is inactive";
    pass();
    ASSERT_TRUE(offen());
    EXPECT_EQ(gesendet()["i1"], "42");
    EXPECT_EQ(gesendet()["i7"], paare["i7"]);
    EXPECT_EQ(gesendet()["skarte"], paare["skarte"]);
}

TEST_F(LobbyScreen, JoinerPollsUntilItsNameAppearsAndEntersTheStartedGame)
{
    spiel.Spieleranzahl = 2;
    spiel.Sternanzahl = 2;
    mp.LoginName = "bert";
    mp.senden.SessionId = "S1";
    r.Unterzustand = "channel";
    pass();
    ASSERT_TRUE(offen());
    auto paare = gesendet();
    EXPECT_EQ(paare["i1"], "");
    EXPECT_EQ(paare["i2"], "bert");
    click(470, 405);
    EXPECT_EQ(mp.GewaehlteFarbe, 0) << "no colours without a slot";
    antworte("channel;;0;;2;;#SP1-,1,anna,8,1-SP1##SP2-,2,bert,0,0-SP2#");
    pass();
    EXPECT_EQ(spiel.eigenerSpieler, 2);
    antworte("channel;;1;;2;;#SP1-,1,anna,8,1-SP1##SP2-,2,bert,3,1-SP2#"
             "#NAM-,Heimatplanet,Heimatplanet-NAM##POX-,100,2000-POX##POY-,100,1500-POY##BES-,1,2-BES#"
             "#TYP-,42,42-TYP##ENW-,80,90-ENW##VRS-,60,61-VRS##FOP-,50,51-FOP##HDM-,30,31-HDM##WFT-,45,46-WFT#"
             "#STK-4-STK#");
    pass();
    EXPECT_EQ(r.Unterzustand, "");
    EXPECT_EQ(spiel.systeme.einwohner(2), 90);
    EXPECT_EQ(spiel.systeme.werft(2), 46);
    EXPECT_EQ(spiel.systeme.einwohner(1), 0) << "only the own home planet starts its values";
    EXPECT_EQ(spiel.systeme.befestigungMax(2), 5000);
    EXPECT_EQ(spiel.hintergrund, 4);
    EXPECT_EQ(spiel.scrollX, 2000 - 512);
    EXPECT_EQ(spiel.scrollY, 943);
    EXPECT_TRUE(r.Hintergrundbild);
    EXPECT_TRUE(r.Schiffbild(1, 8));
    EXPECT_TRUE(r.Schiffbild(2, 1));
}

TEST_F(LobbyScreen, OnlyTheHostIsOfferedComputerPlayers)
{
    spiel.Spieleranzahl = 3;
    mp.LoginName = "bert";
    mp.senden.SessionId = "S1";
    r.Unterzustand = "channel";
    pass();
    antworte("channel;;0;;50;;#SP1-,1,anna,8,1-SP1##SP2-,2,bert,0,0-SP2##SP3-,3,,0,0-SP3#");
    pass();
    ASSERT_EQ(spiel.eigenerSpieler, 2);
    ASSERT_EQ(mp.SpielerName(3), "Offen");
    EXPECT_FALSE(zeigtText(470, 528, "Computer hinzuf\x81gen")) << "the third seat is free, but bert did not open the channel";
    click(540, 534);
    EXPECT_TRUE(mp.computer.spieler.empty());
}

}  // namespace
}  // namespace qz

// Login, the multiplayer menu, the leave confirmation and channel creation on the headless
// backend: hit boxes, focus, masked password, the periods of the online check and the login.
#include "mp_fixture.hpp"

#include "multiplayer/session/meldung.hpp"
#include "net/base64.hpp"
#include "net/md5.hpp"
#include "replay/state_codec.hpp"
#include "viewer/wiedergabe_schirm.hpp"

namespace qz {
namespace {

struct Login : MpFixture {
    void SetUp() override
    {
        MpFixture::SetUp();
        r.Unterzustand = "login";
    }
    void online()
    {
        pass();
        antworte("onlinecheck;;online");
        pass();
    }
};

TEST_F(Login, OnlineCheckEveryFiveSecondsUntilTheServerAnswers)
{
    pass();
    ASSERT_TRUE(offen());
    EXPECT_EQ(infos(), "onlinecheck");
    antworte("");
    platform.advance(4.9);
    pass();
    EXPECT_FALSE(offen()) << "the next check waits for its 5 s period";
    platform.advance(0.2);
    pass();
    EXPECT_TRUE(offen());
    EXPECT_EQ(server.Serveronline, 0);
}

TEST_F(Login, UnreachableServerShowsOnlyVerbindungsaufbau)
{
    pass();
    EXPECT_EQ(server.Serveronline, 0);
    click(500, 285);
    EXPECT_EQ(mp.Eingabefokus, 0) << "no fields while the server is not online";
}

TEST_F(Login, TabCyclesTheFocusOnRelease)
{
    online();
    click(500, 285);
    EXPECT_EQ(mp.Eingabefokus, 1);
    platform.holdKey(scan::Tab);
    pass();
    EXPECT_EQ(mp.Eingabefokus, 1) << "a held TAB does nothing yet";
    platform.releaseKey(scan::Tab);
    pass();
    EXPECT_EQ(mp.Eingabefokus, 2);
    mp.LoginName.clear();
    tab();
    EXPECT_EQ(mp.Eingabefokus, 3);
    tab();
    EXPECT_EQ(mp.Eingabefokus, 1) << "from Login back to the user name";
}

TEST_F(Login, LongPasswordShowsFifteenStarsAndIsSentWhole)
{
    online();
    click(500, 285);
    type("spieler1");
    click(500, 310);
    const std::string passwort = "abcdefghijklmnopqrst";
    type(passwort);
    EXPECT_EQ(mp.LoginMaske, std::string(15, '*'));
    EXPECT_EQ(mp.LoginPasswort, passwort);
    platform.advance(5.0);
    click(500, 340);
    ASSERT_TRUE(offen());
    auto paare = gesendet();
    EXPECT_EQ(paare["infos"], "login");
    EXPECT_EQ(paare["i1"], "spieler1");
    EXPECT_EQ(paare["i2"], CREATEHASH(passwort));
    EXPECT_EQ(mp.Eingabefokus, 0);
}

TEST_F(Login, LoginAtMostEveryFiveSecondsAndTheReplies)
{
    online();
    mp.LoginName = "a";
    mp.LoginPasswort = "b";
    mp.LoginMaske = "*";
    platform.advance(5.0);
    click(500, 340);
    ASSERT_TRUE(offen());
    antworte("loginerror");
    pass();
    EXPECT_EQ(mp.LoginName, "");
    EXPECT_EQ(mp.LoginMaske, "");
    EXPECT_EQ(mp.LoginPasswort, "");

    mp.LoginName = "a";
    mp.LoginPasswort = "b";
    mp.LoginMaske = "*";
    click(500, 340);
    EXPECT_FALSE(offen()) << "the second login waits for the 5 s period";
    platform.advance(5.0);
    pass();
    ASSERT_TRUE(offen());
    antworte("loginok");
    pass();
    EXPECT_EQ(r.Unterzustand, "hauptmenu");
}

TEST_F(Login, LoginChannelAndLobbyScreensShowTheServersRefusalForAFewSeconds)
{
    mp.LoginName = "anna";
    for (const char* screen : {"login", "channel_auflisten", "channel"}) {
        SCOPED_TRACE(screen);
        r.Unterzustand = screen;
        antworte("fehler;;Channelname enthaelt Trennzeichen");
        pass();
        EXPECT_TRUE(roteZeile(160));
        platform.advance(4.0);
        pass();
        EXPECT_TRUE(roteZeile(160));
        platform.advance(2.0);
        pass();
        EXPECT_FALSE(roteZeile(160));
    }
}

TEST_F(Login, ZurueckLeavesMultiplayer)
{
    click(500, 230);
    EXPECT_EQ(r.Programmzustand, "hauptmenu");
    EXPECT_EQ(r.Unterzustand, "");
}

struct Menue : MpFixture {
    void SetUp() override
    {
        MpFixture::SetUp();
        r.Unterzustand = "hauptmenu";
    }
};

TEST_F(Menue, NeuesSpielPreparesAFourPlayerChannel)
{
    spiel.systeme.besitzer(3) = 2;
    spiel.wirtschaft.geld = 5;
    mp.senden.SessionId = "alt";
    click(500, 230);
    EXPECT_EQ(r.Unterzustand, "erstellen");
    EXPECT_EQ(spiel.eigenerSpieler, 1);
    EXPECT_EQ(spiel.Spieleranzahl, 4);
    EXPECT_EQ(spiel.Sternanzahl, 200);
    EXPECT_EQ(mp.SterneAngesagt, 200);
    EXPECT_EQ(spiel.systeme.besitzer(3), 0);
    EXPECT_EQ(spiel.wirtschaft.geld, 2000);
    EXPECT_EQ(mp.senden.SessionId, "");
}

TEST_F(Menue, ServerlisteAsksForTheChannelsOfThisVersion)
{
    click(500, 340);
    EXPECT_EQ(r.Unterzustand, "channel_auflisten");
    ASSERT_TRUE(offen());
    EXPECT_EQ(infos(), "channel_auflisten");
    EXPECT_EQ(gesendet()["i1"], "QZ0.10");
    EXPECT_EQ(spiel.eigenerSpieler, 0);
}

// "Aufzeichnungen": the list comes in the login's name, a click on a row fetches that
// recording and plays it, and the viewer's "Zurück" comes back to the list. A recording that
// does not read is told, and nothing plays.
TEST_F(Menue, AufzeichnungenListsEndedGamesAndAClickPlaysOne)
{
    mp.LoginName = "carla";
    click(500, 390);
    EXPECT_EQ(r.Unterzustand, "aufzeichnungen");
    ASSERT_TRUE(offen());
    EXPECT_EQ(infos(), "aufzeichnungen_auflisten");
    EXPECT_EQ(gesendet()["i1"], "carla");
    antworte("aufzeichnungen_auflisten;;,7;;,duell;;,carla::bert;;,1796707800;;,3725");
    pass();
    // The second line is the widest: the row grows to it, 8 pixels a character and 8 on each side.
    const std::string zweite = "Start: 08.12.2026 05:30 UTC, L\x84nge: 1:02:05";
    const int x = 512 - (8 * static_cast<int>(zweite.size()) + 16) / 2 + 8;
    EXPECT_TRUE(zeigtText(x, 356, "duell: carla, bert"));
    EXPECT_TRUE(zeigtText(x, 370, zweite));

    // Two parts: the first brings the whole state, the second the change after it.
    replay::ReplayState zustand;
    zustand.systems.push_back({"Vega", 100, 100, 42, 1, 0, 0, 0});
    replay::ReplayState danach = zustand;
    danach.systems[0].owner = 2;
    const auto eintrag = [](int nr, int art, int ms, const std::string& bytes) {
        std::string text = base64Kodieren(bytes);
        text.erase(text.find_last_not_of('=') + 1);  // stored without padding
        return "," + std::to_string(nr) + ":" + std::to_string(art) + ":" + std::to_string(ms) + ":" + text;
    };
    const std::string kopf = "aufzeichnung_holen;;7;;duell;;carla::bert;;1796707800000;;2;;";
    click(x, 360);
    ASSERT_TRUE(offen());
    EXPECT_EQ(infos(), "aufzeichnung_holen");
    EXPECT_EQ(gesendet()["i2"], "7");
    EXPECT_EQ(gesendet()["seit"], "0");
    antworte(kopf + eintrag(1, 0, 0, replay::encodeFull(zustand)));
    pass();
    ASSERT_TRUE(offen()) << "the next part is asked for";
    EXPECT_EQ(gesendet()["seit"], "1");
    EXPECT_EQ(r.Unterzustand, "aufzeichnungen");
    antworte(kopf + eintrag(2, 1, 6000, replay::encodeChanges(zustand, danach)));
    pass();
    ASSERT_EQ(r.Unterzustand, "aufzeichnung");
    ASSERT_TRUE(mp.wiedergabe);
    const replay::Recording& gespielt = mp.wiedergabe->wiedergabe.aufnahme();
    EXPECT_EQ(gespielt.players, (std::vector<std::string>{"carla", "", "bert"}));
    EXPECT_EQ(gespielt.stateAt(gespielt.lengthSeconds()), danach);
    pass();
    click(wiedergabeflaeche::kKnopfX + 20, wiedergabeflaeche::kZurueckY + 10);
    EXPECT_EQ(r.Unterzustand, "aufzeichnungen");
    EXPECT_EQ(r.Programmzustand, "multiplayer");
    EXPECT_FALSE(mp.wiedergabe);

    click(x, 360);
    antworte(kopf + eintrag(1, 0, 0, "kaputt") + eintrag(2, 1, 6000, "kaputt"));
    pass();
    EXPECT_EQ(r.Unterzustand, "aufzeichnungen");
    EXPECT_TRUE(roteZeile(kMeldungMenueY));
    click(x, 360);
    antworte("fehler;;Unbekannte Aufzeichnung");
    pass();
    EXPECT_EQ(mp.meldung, "Unbekannte Aufzeichnung");
}

TEST_F(Menue, LeaveConfirmation)
{
    click(500, 445);
    EXPECT_EQ(r.Unterzustand, "esc");
    click(600, 290);
    EXPECT_EQ(r.Unterzustand, "hauptmenu");
    click(500, 445);
    click(400, 290);
    EXPECT_EQ(r.Programmzustand, "hauptmenu");
    EXPECT_EQ(r.Unterzustand, "");
}

TEST_F(Menue, RunningGameOffersOptionZumSpielAndSpielBeendenAndNeuesSpielAsksFirst)
{
    spiel.spielLaeuft = 1;
    spiel.eigenerSpieler = 1;
    spiel.Spieleranzahl = 2;
    click(500, 340);
    EXPECT_EQ(r.Unterzustand, "hauptmenu") << "Spiel Speichern does nothing";
    click(500, 445);
    EXPECT_EQ(r.Unterzustand, "");
    r.Unterzustand = "hauptmenu";
    click(500, 500);
    EXPECT_EQ(r.Unterzustand, "esc");
    r.Unterzustand = "hauptmenu";
    click(500, 390);
    EXPECT_EQ(r.Unterzustand, "option");

    // "Neues Spiel" would end the game the others play on: it asks first, as "Spiel Beenden".
    r.Unterzustand = "hauptmenu";
    click(500, 230);
    EXPECT_EQ(r.Unterzustand, "neu");
    pass();
    EXPECT_TRUE(zeigtText(centredX(512, 14), 224, "Spiel Beenden?"));
    click(580, 290);  // "Nein"
    EXPECT_EQ(r.Unterzustand, "hauptmenu");
    EXPECT_EQ(spiel.spielLaeuft, 1);
    click(500, 230);
    click(440, 290);  // "Ja"
    EXPECT_EQ(r.Unterzustand, "erstellen");
    EXPECT_EQ(spiel.spielLaeuft, 0);
    EXPECT_EQ(spiel.Spieleranzahl, 4) << "the new channel's start values";
}

struct Erstellen : MpFixture {
    void SetUp() override
    {
        MpFixture::SetUp();
        r.Unterzustand = "hauptmenu";
        mp.LoginName = "anna";
        click(500, 230);
    }
};

TEST_F(Erstellen, PlayerCountArrowsStopAtTwoAndFour)
{
    click(550, 314);
    EXPECT_EQ(spiel.Spieleranzahl, 4) << "no increase arrow at four";
    click(470, 314);
    click(470, 314);
    EXPECT_EQ(spiel.Spieleranzahl, 2);
    click(470, 314);
    EXPECT_EQ(spiel.Spieleranzahl, 2) << "no decrease arrow at two";
    click(550, 314);
    EXPECT_EQ(spiel.Spieleranzahl, 3);
}

TEST_F(Erstellen, EmptyNameIsMarkedAndNoChannelIsMade)
{
    click(500, 425);
    EXPECT_EQ(mp.Eingabefokus, 3);
    EXPECT_EQ(r.Unterzustand, "erstellen");
    EXPECT_EQ(point(&platform.screen(), 434, 370), 0xFFA52A2A);
    mp.KanalName = "   ";
    pass();
    EXPECT_EQ(r.Unterzustand, "erstellen") << "a name of spaces is no name";
}

TEST_F(Erstellen, ErstellenEntersTheLobbyWithTheSlots)
{
    click(550, 314);
    click(470, 314);
    click(470, 314);
    click(500, 375);
    type("runde;1");
    tab();
    type("geheim");
    tab();
    EXPECT_EQ(r.Unterzustand, "channel");
    EXPECT_EQ(mp.KanalName, "runde1") << "the server refuses \";\" in a channel name";
    EXPECT_EQ(mp.KanalPasswort, "geheim");
    EXPECT_EQ(mp.SpielerName(1), "anna");
    EXPECT_EQ(mp.SpielerName(2), "Offen");
    EXPECT_EQ(mp.SpielerName(3), "Geschlossen");
    EXPECT_EQ(mp.SpielerName(4), "Geschlossen");
    EXPECT_FALSE(offen()) << "the lobby, not this screen, creates the channel";
}

}  // namespace
}  // namespace qz

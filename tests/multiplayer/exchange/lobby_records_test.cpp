// The lobby's records: slots, the host's session id, the star-map download with the type's
// fortification, and the requests of creation, upload, poll and join.
#include "multiplayer/exchange/lobby_antwort.hpp"
#include "multiplayer/exchange/lobby_anfragen.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

struct Lobby : ::testing::Test {
    Spielstand spiel;
    Mehrspieler mp;
    Feld<KVP> get{1, 2};
    Feld<KVP> post{1, 40};
    const std::string karte = "#NAM-,Heimatplanet,Planet X2-NAM##BFG-,7,7-BFG##POX-,100,900-POX##POY-,50,60-POY#"
                              "#BES-,1,0-BES##TYP-,42,13-TYP##ENW-,80,30-ENW##VRS-,60,20-VRS##FOP-,50,40-FOP#"
                              "#HDM-,30,31-HDM##WFT-,45,21-WFT##STK-7-STK#";

    void SetUp() override
    {
        spiel.Spieleranzahl = 3;
        mp.LoginName = "carla";
    }
};

TEST_F(Lobby, JoinerFindsItsSlotByNameAndReadsTheStarMap)
{
    spiel.eigenerSpieler = 0;
    lobbyAntwortAnwenden("channel;;1;;2;;#sid-abc-sid##SP1-,1,anna,3,1-SP1##SP2-,2,-SP2##SP3-,3,carla,5,0-SP3#" + karte,
                         spiel, mp);
    EXPECT_EQ(spiel.eigenerSpieler, 3);
    EXPECT_EQ(spiel.spielLaeuft, 1);
    EXPECT_EQ(spiel.Sternanzahl, 2);
    EXPECT_EQ(mp.SpielerName(1), "anna");
    EXPECT_EQ(spiel.spieler.spielerFarbe(1, 0), 3);
    EXPECT_EQ(mp.BereitFlag(1), 1);
    EXPECT_EQ(mp.SpielerName(2), "Offen");
    EXPECT_EQ(mp.SpielerName(3), "carla");
    EXPECT_EQ(spiel.spieler.spielerFarbe(3, 0), 5);
    EXPECT_EQ(mp.senden.SessionId, "") << "only a host takes the session id from the reply";

    const Sternsysteme& s = spiel.systeme;
    EXPECT_EQ(s.name(1), "Heimatplanet");
    EXPECT_EQ(s.name(2), "Planet X2");
    EXPECT_EQ(s.pos(2, 1), 900);
    EXPECT_EQ(s.pos(2, 2), 60);
    EXPECT_EQ(s.besitzer(1), 1);
    EXPECT_EQ(s.werftBasis(2), 21);
    EXPECT_EQ(spiel.hintergrund, 7);
    EXPECT_EQ(s.befestigungBasis(1), 5000) << "TYP sets the home planet's fortification";
    EXPECT_EQ(s.befestigung(2), 3000) << "and replaces the value read from BFG";
    EXPECT_EQ(s.befestigungMax(2), 3000);
}

TEST_F(Lobby, TypesTheGameDoesNotHaveAreNotTaken)
{
    spiel.systeme.typ(1) = 5;
    spiel.systeme.befestigungBasis(1) = 1234;
    spiel.systeme.befestigung(1) = 777;
    sternkarteLesen("#TYP-,99-TYP#", spiel);
    EXPECT_EQ(spiel.systeme.typ(1), 5) << "a type the game cannot show is not taken";
    EXPECT_EQ(spiel.systeme.befestigungBasis(1), 1234);
    EXPECT_EQ(spiel.systeme.befestigung(1), 777);
}

TEST_F(Lobby, OnlyExistingBackgroundsAreTaken)
{
    spiel.hintergrund = 5;
    sternkarteLesen("#STK-14-STK#", spiel);
    EXPECT_EQ(spiel.hintergrund, 5);
    sternkarteLesen("#STK-13-STK#", spiel);
    EXPECT_EQ(spiel.hintergrund, 13);
}

TEST_F(Lobby, HostTakesTheSessionIdAndSkipsTheStarMap)
{
    spiel.eigenerSpieler = 1;
    spiel.systeme.name(1) = "Heimatplanet";
    spiel.systeme.typ(2) = 5;
    lobbyAntwortAnwenden("channel;;0;;2;;#sid-abc-sid##SP1-,1,anna,3,1-SP1#" + karte, spiel, mp);
    EXPECT_EQ(mp.senden.SessionId, "abc");
    EXPECT_EQ(spiel.systeme.typ(2), 5);
    lobbyAntwortAnwenden("channel;;0;;2;;#sid-neu-sid#", spiel, mp);
    EXPECT_EQ(mp.senden.SessionId, "abc") << "a known session id is kept";
}

TEST_F(Lobby, SlotLeftEmptyIsOpenAndNotReady)
{
    spiel.eigenerSpieler = 1;
    lobbyAntwortAnwenden("channel;;0;;50;;#SP2-,2,bert,3,1-SP2#", spiel, mp);
    EXPECT_EQ(mp.BereitFlag(2), 1);
    lobbyAntwortAnwenden("channel;;0;;50;;#SP2-,2,,3,1-SP2#", spiel, mp);
    EXPECT_EQ(mp.SpielerName(2), "Offen");
    EXPECT_EQ(spiel.spieler.spielerFarbe(2, 0), 0);
    EXPECT_EQ(mp.BereitFlag(2), 0);
}

TEST_F(Lobby, StarCountBeyondTheArraysIsCapped)
{
    lobbyAntwortAnwenden("channel;;0;;100000;;", spiel, mp);
    EXPECT_EQ(spiel.Sternanzahl, 500);
    lobbyAntwortAnwenden("channel;;0;;-5;;", spiel, mp);
    EXPECT_EQ(spiel.Sternanzahl, 0);
}

TEST_F(Lobby, ShortRepliesChangeNeitherFlagNorStarCount)
{
    spiel.Sternanzahl = 150;
    lobbyAntwortAnwenden("channel;;1;;50", spiel, mp);
    EXPECT_EQ(spiel.Sternanzahl, 150);
    EXPECT_EQ(spiel.spielLaeuft, 0);
}

TEST_F(Lobby, CreationPollJoinAndUploadKeys)
{
    spiel.Spieleranzahl = 2;
    spiel.Sternanzahl = 2;
    mp.KanalName = "runde";
    mp.KanalPasswort = "";
    kanalErstellenSchreiben(get, post, spiel, mp, "QZ0.10");
    EXPECT_EQ(get(1).Key, "");
    EXPECT_EQ(post(1).Value, "channel_erstellen");
    EXPECT_EQ(post(2).Key + "=" + post(2).Value, "i1=runde");
    EXPECT_EQ(post(4).Key + "=" + post(4).Value, "i3=2");
    EXPECT_EQ(post(5).Key + "=" + post(5).Value, "i4=2");
    EXPECT_EQ(post(6).Key + "=" + post(6).Value, "i5=QZ0.10");

    mp.senden.SessionId = "abc";
    beitrittsAbfrageSchreiben(get, post, mp);
    EXPECT_EQ(get(1).Value, "abc");
    EXPECT_EQ(post(1).Value, "channel");
    EXPECT_EQ(post(2).Key + "=" + post(2).Value, "i1=");
    EXPECT_EQ(post(3).Key + "=" + post(3).Value, "i2=carla");

    spiel.eigenerSpieler = 1;
    mp.SpielerName(1) = "carla";
    mp.GewaehlteFarbe = 4;
    mp.EigenesBereit = 1;
    mp.SterneAngesagt = 100;
    lobbyAbfrageSchreiben(get, post, spiel, mp);
    EXPECT_EQ(post(2).Value, "0");
    EXPECT_EQ(post(4).Key + "=" + post(4).Value, "i3=4");
    EXPECT_EQ(post(6).Key + "=" + post(6).Value, "i5=100");

    Sternsysteme& s = spiel.systeme;
    s.name(1) = "Heimatplanet";
    s.name(2) = "Planet X2";
    s.pos(1, 1) = 30;
    s.pos(2, 1) = 2529;
    s.typ(1) = 42;
    s.typ(2) = 3;
    s.besitzer(1) = 1;
    s.befestigung(1) = 5000;
    s.befestigung(2) = 2500;
    spiel.hintergrund = 13;
    sternkarteHochladenSchreiben(get, post, spiel, mp);
    EXPECT_EQ(post(2).Value, "42");
    EXPECT_EQ(post(7).Key + "=" + post(7).Value, "i6=,Heimatplanet,Planet X2");
    EXPECT_EQ(post(8).Key + "=" + post(8).Value, "i7=,30,2529");
    EXPECT_EQ(post(10).Key + "=" + post(10).Value, "i9=,1,0");
    EXPECT_EQ(post(11).Key + "=" + post(11).Value, "i10=,42,3");
    EXPECT_EQ(post(17).Key + "=" + post(17).Value, "skarte=13");
    EXPECT_EQ(post(18).Key + "=" + post(18).Value, "i16=,0,0");
    EXPECT_EQ(post(19).Key + "=" + post(19).Value, "i17=,5000,2500");
}

}  // namespace
}  // namespace qz

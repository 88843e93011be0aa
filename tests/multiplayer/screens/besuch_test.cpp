// The visit screen's multiplayer actions in the running game: a heavy battleship at a
// co-player's system offers "Angreifen" and "Feuer Einstellen", a co-player's system offers a
// trade agreement and its cancellation, and a system reached first by another player opens
// no screen.
#include "mp_fixture.hpp"

#include "state/schiffslisten.hpp"

namespace qz {
namespace {

struct Besuch : MpFixture {
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
        Sternsysteme& s = spiel.systeme;
        s.besitzer(1) = 1;
        s.pos(1, 1) = 300;
        s.pos(1, 2) = 300;
        s.besitzer(2) = 2;
        s.entdecker(2) = 1;
        s.typ(2) = 5;
        s.pos(2, 1) = 600;
        s.pos(2, 2) = 300;
        mp.LoginName = "anna";
        r.Unterzustand = "";
        pass();
        antworte("");
    }
    void oeffnen(int system)
    {
        click(spiel.systeme.pos(system, 1) - spiel.scrollX, spiel.systeme.pos(system, 2) - spiel.scrollY);
        pass();
    }
};

TEST_F(Besuch, TradeOfferAndCancellationAtACoPlayersSystem)
{
    oeffnen(2);
    ASSERT_EQ(spiel.gewaehltesSystem, 2);
    click(380, 150);
    EXPECT_EQ(mp.senden.abkommenAnfrage(2), 1);
    mp.senden.abkommenAnfrage(2) = 0;
    mp.senden.abkommenStand(2) = 2;
    pass();
    EXPECT_EQ(point(&platform.screen(), 400, 160), 0xFF00CD00) << "green while the agreement is in force";
    click(380, 150);
    EXPECT_EQ(mp.senden.abkommenAnfrage(2), 3);
}

TEST_F(Besuch, HeavyBattleshipAttacksAndStops)
{
    const int x = 600 + spiel.spieler.parkOffset(1, 1) - 16, y = 300 + spiel.spieler.parkOffset(1, 2) - 16;
    schiffAnhaengen(spiel.schiffe, {7, 300, 0, 0, 2, 2, x, y, x, y, 40, 1, 0});
    spiel.spieler.hoechsteFlotte(1) = 1;
    pass();
    oeffnen(2);
    ASSERT_GT(spiel.karte.angriffsschiff, 0);
    click(380, 150);
    EXPECT_EQ(spiel.systeme.angriff(2), 1);
    pass();
    EXPECT_EQ(spiel.karte.angriffsschaden, ",25") << "one heavy battleship deals 25";
    click(380, 150);
    EXPECT_EQ(spiel.systeme.angriff(2), 0);
}

TEST_F(Besuch, SystemReachedFirstByAnotherPlayerOpensNothing)
{
    spiel.systeme.entdecker(2) = 2;
    oeffnen(2);
    EXPECT_EQ(spiel.gewaehltesSystem, 0);
}

TEST_F(Besuch, AnOwnSystemLostWhileOpenLeavesNeitherItsTabNorAScreenBehind)
{
    Sternsysteme& s = spiel.systeme;
    spiel.Sternanzahl = 3;
    s.typ(1) = s.typ(3) = 4;
    s.besitzer(3) = 1;
    s.pos(3, 1) = 900;
    s.pos(3, 2) = 300;
    s.entdecker(1) = 1;
    oeffnen(1);
    for (int k = 0; k < 3; ++k) click(690, 20);
    ASSERT_EQ(spiel.karte.systemTab, 4);
    antworte("#BES-,2,2,1-BES#");
    pass();
    pass(2, 600, 600);  // closes the visit screen the lost system now shows
    ASSERT_EQ(spiel.gewaehltesSystem, 0);
    oeffnen(3);
    ASSERT_EQ(spiel.gewaehltesSystem, 3);
    EXPECT_EQ(spiel.karte.systemTab, 1) << "a system screen opens on tab 1";

    // A lost system the player never discovered itself (a home planet) has no screen to show.
    antworte("#BES-,2,2,2-BES#");
    pass();
    EXPECT_EQ(spiel.gewaehltesSystem, 0);
}

}  // namespace
}  // namespace qz

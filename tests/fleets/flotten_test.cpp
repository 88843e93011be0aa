// The fleet pass: selection, destination within range, the route request cycle, movement
// ticks, arrival, lost ships, the panel of fleets standing together and the colony ship report.
#include "fleets/flotten.hpp"
#include "fleets/route.hpp"
#include "gezeichneter_text.hpp"
#include "tests/systems/test_welt.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

using testwelt::Schiffsdaten;

class Flotten : public ::testing::Test {
protected:
    testwelt::Welt w;
    Kartenzustand& karte = w.spiel.karte;

    void SetUp() override
    {
        w.system(1, 500, 400, 1, 1);
        w.system(2, 590, 400, 0, 0);   // 90 pixels east: in range 100
        w.system(3, 500, 560, 0, 0);   // far south: out of range
        w.spiel.spieler.hoechsteFlotte(1) = 0;
    }

    // A fleet standing at system s at the player's parking point.
    int stehendeFlotte(int flotte, int s, int typ = 2)
    {
        w.spiel.spieler.hoechsteFlotte(1) = std::max(w.spiel.spieler.hoechsteFlotte(1), flotte);
        const int x = w.spiel.systeme.pos(s, 1) - 16, y = w.spiel.systeme.pos(s, 2) + 20 - 16;
        Schiffsdaten d;
        d.typ = typ;
        d.ort = s;
        d.x = d.zielX = x;
        d.y = d.zielY = y;
        d.flotte = flotte;
        return w.neuesSchiff(d);
    }

    void frame(int mausX = -1, int mausY = -1)
    {
        SUB_FLOTTEN(w.rahmen, karte, w.satz(), w.spiel.systeme, w.spiel.spieler, w.spiel.forschung, 1, w.satz().anzahl,
                    w.spiel.Sternanzahl, w.spiel.gewaehltesSystem, mausX, mausY, w.spiel.scrollX, w.spiel.scrollY);
    }
    void klickFrame(int x, int y)
    {
        w.rahmen.Mausereignis = 1;
        frame(x, y);
    }
    // Runs the route computation to the end, as the game loop does every 0.03 s.
    void routeRechnen()
    {
        Routenauftrag& a = karte.routenauftrag;
        for (int i = 0; i < 10000 && a.status == 1; ++i)
            SUB_FLOTTEN_WEG_BERECHNUNG(a.status, 2560, 1600, a.x, a.y, a.zielX, a.zielY, a.route);
    }
};

TEST_F(Flotten, AClickUnderSeventeenPixelsSelectsTheLowerRepresentativeAndTheNextClickTheNext)
{
    const int a = stehendeFlotte(1, 1);
    w.spiel.systeme.pos(2, 1) = 510;  // second fleet parks 10 pixels further east
    const int b = stehendeFlotte(2, 2);
    ASSERT_EQ(w.wert(kX, b) - w.wert(kX, a), 10);
    // Centres (500, 420) and (510, 420); the click lies within 17 of both.
    klickFrame(505, 420);
    EXPECT_EQ(karte.gewaehlteFlotte, 1);
    EXPECT_EQ(karte.gewaehltesSchiff, a);
    EXPECT_EQ(w.rahmen.Mausereignis, 0);
    // Further clicks on the stack go through it, and after the last back to the first.
    klickFrame(505, 420);
    EXPECT_EQ(karte.gewaehlteFlotte, 2);
    EXPECT_EQ(karte.gewaehltesSchiff, b);
    klickFrame(505, 420);
    EXPECT_EQ(karte.gewaehlteFlotte, 1);
    EXPECT_EQ(karte.gewaehltesSchiff, a);
}

TEST_F(Flotten, ExactlySeventeenPixelsAwayDoesNotSelect)
{
    stehendeFlotte(1, 1);
    klickFrame(517, 420);
    EXPECT_EQ(karte.gewaehlteFlotte, 0);
    klickFrame(516, 420);
    EXPECT_EQ(karte.gewaehlteFlotte, 1);
}

TEST_F(Flotten, AClickOnAFleetUnderAnOpenSystemScreenIsLeftToTheScreen)
{
    stehendeFlotte(1, 1);
    w.spiel.gewaehltesSystem = 1;
    klickFrame(500, 420);
    EXPECT_EQ(karte.gewaehlteFlotte, 0);
    EXPECT_EQ(w.rahmen.Mausereignis, 1);
}

TEST_F(Flotten, DestinationOnlyWithinRange)
{
    const int a = stehendeFlotte(1, 1);
    klickFrame(500, 420);
    ASSERT_EQ(karte.gewaehlteFlotte, 1);
    klickFrame(500, 560);  // system 3: 140 from the icon centre, range 100
    EXPECT_EQ(w.wert(kZiel, a), 0);
    // Refused where it can be seen: for 2 s "Außer Reichweite" in red centred above system 3
    // (16 characters from 500 - 64, 32 pixels above its centre at 560).
    constexpr Farbe kRot = 0xFFFF3030;
    EXPECT_TRUE(test::zeigtText(w.platform.screen(), 436, 528, "Au\xE1" "er Reichweite", kRot));
    EXPECT_EQ(point(&w.platform.screen(), 500 + 10, 560) & 0xFFFFFF, kRot & 0xFFFFFF);
    w.platform.advance(1.9);
    frame();
    EXPECT_TRUE(test::zeigtText(w.platform.screen(), 436, 528, "Au\xE1" "er Reichweite", kRot));
    w.platform.advance(0.2);
    clear(w.platform.screen());
    frame();
    EXPECT_FALSE(test::zeigtText(w.platform.screen(), 436, 528, "Au\xE1" "er Reichweite", kRot));
    klickFrame(520, 500);  // empty space: no system to refuse, the click stays for the map
    EXPECT_EQ(w.rahmen.Mausereignis, 1);
    klickFrame(592, 402);  // within 5 pixels of system 2
    EXPECT_EQ(w.wert(kZiel, a), 2);
    EXPECT_EQ(w.wert(kOrt, a), 0);
    EXPECT_EQ(w.wert(kZielX, a), 590);
    EXPECT_EQ(w.wert(kZielY, a), 420);
    EXPECT_EQ(w.rahmen.Mausereignis, 0);
}

TEST_F(Flotten, RangeGrowsWithTriebwerkPerfektion)
{
    const int a = stehendeFlotte(1, 1);
    klickFrame(500, 420);
    w.spiel.forschung.thema(3).stufe = 9;  // range 145; system 3 lies 140 away
    klickFrame(500, 560);
    EXPECT_EQ(w.wert(kZiel, a), 3);
}

TEST_F(Flotten, FleetsStopAtTheParkingPointOfTheirPlayer)
{
    // Player 3 parks 20 pixels west of a system, player 4 east, player 2 north.
    const int parkX[5] = {0, 0, 0, -20, 20}, parkY[5] = {0, 20, -20, 0, 0};
    for (int spieler = 2; spieler <= 4; ++spieler) {
        testwelt::Welt welt;
        welt.system(1, 500, 400, spieler, spieler);
        welt.system(2, 570, 400, 0, 0);
        welt.spiel.Sternanzahl = 2;
        welt.spiel.spieler.hoechsteFlotte(spieler) = 1;
        Schiffsdaten d;
        d.ort = 1;
        d.x = d.zielX = 500 + parkX[spieler] - 16;
        d.y = d.zielY = 400 + parkY[spieler] - 16;
        d.flotte = 1;
        const int a = welt.neuesSchiff(d);
        Kartenzustand& k = welt.spiel.karte;
        for (int x : {500 + parkX[spieler], 570}) {
            const int y = x == 570 ? 400 : 400 + parkY[spieler];
            welt.rahmen.Mausereignis = 1;
            SUB_FLOTTEN(welt.rahmen, k, welt.satz(), welt.spiel.systeme, welt.spiel.spieler, welt.spiel.forschung,
                        spieler, welt.satz().anzahl, 2, 0, x, y, 0, 0);
        }
        EXPECT_EQ(welt.wert(kZiel, a), 2) << spieler;
        EXPECT_EQ(welt.wert(kZielX, a), 570 + parkX[spieler]) << spieler;
        EXPECT_EQ(welt.wert(kZielY, a), 400 + parkY[spieler]) << spieler;
    }
}

TEST_F(Flotten, ADestinationClickWhileMovingIsIgnored)
{
    const int a = stehendeFlotte(1, 1);
    klickFrame(500, 420);
    klickFrame(590, 400);
    ASSERT_EQ(w.wert(kZiel, a), 2);
    w.system(4, 520, 380, 0, 0);
    w.spiel.Sternanzahl = 4;
    klickFrame(520, 380);
    EXPECT_EQ(w.wert(kZiel, a), 2);
}

TEST_F(Flotten, RouteRequestIsPostedComputedAndHandedToTheRepresentative)
{
    const int a = stehendeFlotte(1, 1);
    const int b = stehendeFlotte(1, 1);
    klickFrame(500, 420);
    klickFrame(590, 400);
    frame();
    const Routenauftrag& auftrag = karte.routenauftrag;
    ASSERT_EQ(auftrag.status, 1);
    EXPECT_EQ(auftrag.flotte, 1);
    EXPECT_EQ(auftrag.x, 484);
    EXPECT_EQ(auftrag.y, 404);
    EXPECT_EQ(auftrag.zielX, 590);
    EXPECT_EQ(auftrag.zielY, 420);
    routeRechnen();
    ASSERT_EQ(auftrag.status, 2);
    frame();
    EXPECT_EQ(auftrag.status, 0);
    EXPECT_EQ(auftrag.flotte, 0);
    EXPECT_EQ(auftrag.route, "");
    const std::string route = w.satz()[kRoute](a);
    EXPECT_EQ(route, std::string(90, '2') + "9");  // 90 pixels east, then the arrival
    EXPECT_EQ(w.satz()[kRoute](b), "0");
}

TEST_F(Flotten, OneRouteAtATime)
{
    stehendeFlotte(1, 1);
    w.spiel.systeme.pos(2, 1) = 530;
    stehendeFlotte(2, 2);
    w.spiel.systeme.pos(2, 1) = 590;
    // Both fleets get destinations by hand.
    for (int k = 1; k <= 2; ++k) {
        w.satz().setze(kZielX, k, 700);
        w.satz().setze(kOrt, k, 0);
    }
    frame();
    EXPECT_EQ(karte.routenauftrag.flotte, 1);
    routeRechnen();
    // Fleet 1 takes its route; the freed slot goes to fleet 2 later in the same pass.
    frame();
    EXPECT_TRUE(w.satz()[kRoute](1).ends_with("9"));
    EXPECT_EQ(karte.routenauftrag.status, 1);
    EXPECT_EQ(karte.routenauftrag.flotte, 2);
}

TEST_F(Flotten, TheSlotIsFreedWhenItsFleetWasDeletedOrDockedMeanwhile)
{
    for (const Schiffsfeld feld : {kFlotte, kAngedockt}) {
        SCOPED_TRACE(feld == kFlotte ? "deleted" : "docked");
        karte.routenauftrag = Routenauftrag{};
        w.spiel.schiffe = SchiffListen{};
        stehendeFlotte(1, 1);
        w.satz().setze(kZielX, 1, 700);
        w.satz().setze(kOrt, 1, 0);
        frame();
        ASSERT_EQ(karte.routenauftrag.status, 1);
        w.satz().setze(feld, 1, feld == kFlotte ? 0 : 1);
        frame();
        EXPECT_EQ(karte.routenauftrag.status, 0);
        EXPECT_EQ(karte.routenauftrag.flotte, 0);
    }
}

TEST_F(Flotten, OnePixelPerMovementTick)
{
    const int a = stehendeFlotte(1, 1);
    w.satz()[kRoute](a) = "2269";
    w.satz().setze(kZielX, a, 1000);
    w.satz().setze(kOrt, a, 0);
    w.satz().setze(kZiel, a, 2);
    karte.naechsterFlugschritt = 0;
    frame();
    EXPECT_EQ(w.wert(kX, a), 485);
    EXPECT_EQ(w.satz()[kRoute](a), "269");
    frame();  // same instant: no tick
    EXPECT_EQ(w.wert(kX, a), 485);
    w.platform.advance(0.11);
    frame();
    EXPECT_EQ(w.wert(kX, a), 485);
    w.platform.advance(0.02);
    frame();
    EXPECT_EQ(w.wert(kX, a), 486);
    w.platform.advance(0.13);
    frame();
    EXPECT_EQ(w.wert(kX, a), 487);
    EXPECT_EQ(w.wert(kY, a), 405);
}

TEST_F(Flotten, ArrivalPlacesTheWholeFleetAndDiscoversTheSystem)
{
    const int a = stehendeFlotte(1, 1);
    const int b = stehendeFlotte(1, 1);
    for (int k : {a, b}) {
        w.satz().setze(kOrt, k, 0);
        w.satz().setze(kZiel, k, 2);
        w.satz().setze(kZielX, k, 590);
        w.satz().setze(kZielY, k, 420);
    }
    w.satz().setze(kX, a, 574);
    w.satz().setze(kY, a, 404);
    w.satz()[kRoute](a) = "9";
    frame();
    EXPECT_EQ(w.satz()[kRoute](a), "0");
    EXPECT_EQ(w.spiel.systeme.entdecker(2), 1);
    for (int k : {a, b}) {
        EXPECT_EQ(w.wert(kOrt, k), 2);
        EXPECT_EQ(w.wert(kX, k), 574);
        EXPECT_EQ(w.wert(kY, k), 404);
        EXPECT_EQ(w.wert(kZielX, k), 574);
        EXPECT_EQ(w.wert(kZielY, k), 404);
    }
}

TEST_F(Flotten, ADockedShipIsLostWithItsSystem)
{
    Schiffsdaten d;
    d.angedockt = 1;
    const int k = w.neuesSchiff(d);
    frame();
    EXPECT_EQ(w.wert(kTyp, k), 2);
    w.spiel.systeme.besitzer(1) = 2;
    frame();
    EXPECT_EQ(w.wert(kTyp, k), 0);
}

TEST_F(Flotten, RangeCircleAndCourseLineOfTheSelectedFleet)
{
    const int a = stehendeFlotte(1, 1);
    klickFrame(500, 420);
    clear(w.rahmen.screen());
    frame();
    EXPECT_EQ(w.pixel(600, 420), 0xFFBDBDBDu);  // radius 100 around the icon centre
    w.satz().setze(kZielX, a, 700);
    w.satz().setze(kZielY, a, 420);
    w.satz()[kRoute](a) = std::string(50, '2');
    clear(w.rahmen.screen());
    frame();
    EXPECT_EQ(w.pixel(650, 420), 0xFFBDBDBDu);  // course line toward the target
    EXPECT_EQ(karte.gewaehlteTypen(2), 1);
}

TEST_F(Flotten, PanelOfFleetsStandingTogetherAndTheWheel)
{
    stehendeFlotte(1, 1);
    const int b = stehendeFlotte(2, 1);
    stehendeFlotte(3, 1);
    klickFrame(500, 420);
    ASSERT_EQ(karte.gewaehlteFlotte, 1);
    clear(w.rahmen.screen());
    frame();
    EXPECT_NE(w.pixel(880, 150), 0xFF000000u);  // the blended panel at x = 877
    EXPECT_EQ(w.pixel(870, 150), 0xFF000000u);
    w.rahmen.Mausereignis = 3;
    frame();
    EXPECT_EQ(karte.gewaehlteFlotte, 2);
    EXPECT_EQ(karte.gewaehltesSchiff, b);
    EXPECT_EQ(w.rahmen.Mausereignis, 0);
    w.rahmen.Mausereignis = 3;
    frame();
    w.rahmen.Mausereignis = 3;
    frame();
    EXPECT_EQ(karte.gewaehlteFlotte, 1);  // after the last: the first
    w.rahmen.Mausereignis = 4;
    frame();
    EXPECT_EQ(karte.gewaehlteFlotte, 1);  // the first stays
    // A click on the row of fleet 3 (row 3: y 56..72).
    klickFrame(900, 60);
    EXPECT_EQ(karte.gewaehlteFlotte, 3);
}

TEST_F(Flotten, PanelMovesLeftWhenScrolledFarRight)
{
    w.system(5, 1300, 400, 1, 1);
    w.spiel.Sternanzahl = 5;
    stehendeFlotte(1, 5);
    stehendeFlotte(2, 5);
    w.spiel.scrollX = 800;
    klickFrame(500, 420);
    ASSERT_EQ(karte.gewaehlteFlotte, 1);
    clear(w.rahmen.screen());
    frame();
    EXPECT_NE(w.pixel(10, 150), 0xFF000000u);
    EXPECT_EQ(w.pixel(880, 150), 0xFF000000u);
}

TEST_F(Flotten, ARightClickDeselects)
{
    stehendeFlotte(1, 1);
    klickFrame(500, 420);
    w.rahmen.Mausereignis = 2;
    frame();
    EXPECT_EQ(karte.gewaehlteFlotte, 0);
    EXPECT_EQ(karte.gewaehltesSchiff, 0);
    EXPECT_EQ(w.rahmen.Mausereignis, 0);
}

TEST_F(Flotten, ReportsTheColonyShipStandingAtTheOpenedSystem)
{
    w.spiel.systeme.entdecker(2) = 1;
    stehendeFlotte(1, 2, 2);
    const int kolonie = stehendeFlotte(1, 2, 1);
    w.spiel.gewaehltesSystem = 2;
    frame();
    EXPECT_EQ(karte.kolonieschiff, kolonie);
    // Once it moves off, the offer goes with it.
    w.satz().setze(kX, 1, 0);
    w.satz().setze(kX, kolonie, 0);
    frame();
    EXPECT_EQ(karte.kolonieschiff, 0);
}

TEST_F(Flotten, NoColonyShipForAnOwnedSystem)
{
    stehendeFlotte(1, 1, 1);
    w.spiel.gewaehltesSystem = 1;
    frame();
    EXPECT_EQ(karte.kolonieschiff, 0);
}

TEST_F(Flotten, AttackDamageOfHeavyBattleships)
{
    w.spiel.systeme.besitzer(2) = 2;
    stehendeFlotte(1, 2, 7);
    stehendeFlotte(1, 2, 7);
    w.spiel.systeme.angriff(2) = 1;
    w.spiel.systeme.angriff(3) = 1;
    frame();
    EXPECT_EQ(karte.angriffsziel, ",2");
    EXPECT_EQ(karte.angriffsschaden, ",50");
    EXPECT_EQ(w.spiel.systeme.angriff(3), 0);
    EXPECT_EQ(w.spiel.systeme.angriff(2), 1);
}

}  // namespace
}  // namespace qz

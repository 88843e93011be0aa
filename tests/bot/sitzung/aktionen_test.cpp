// The computer player's hands on the hangar: what a person's clicks there would do.
#include "bot/aktionen.hpp"
#include "tests/systems/test_welt.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(Aktionen, AFleetFormedFromAShipAlreadyInOneTakesTheOthersInAndLeaves)
{
    // Ship 1 docked at system 1 in fleet 3, ship 2 docked there without a fleet, ship 3 docked
    // at system 2. A click on ship 1 selects fleet 3, a click on ship 2 adds it; ship 3 is not
    // in this hangar and stays as it is. No new fleet is made.
    testwelt::Welt w;
    w.system(1, 500, 400, 1, 1);
    w.system(2, 700, 400, 1, 1);
    w.spiel.spieler.hoechsteFlotte(1) = 3;
    testwelt::Schiffsdaten d;
    d.angedockt = 1;
    d.flotte = 3;
    w.neuesSchiff(d);
    d.flotte = 0;
    w.neuesSchiff(d);
    d.angedockt = 2;
    w.neuesSchiff(d);

    Mehrspieler mp;
    Haende haende;
    ASSERT_TRUE(ausfuehren(FlotteBilden{1, {1, 2, 3}}, w.spiel, mp, haende));
    EXPECT_EQ(w.wert(kFlotte, 2), 3);
    EXPECT_EQ(w.wert(kFlotte, 3), 0);
    EXPECT_EQ(w.spiel.spieler.hoechsteFlotte(1), 3);
    ASSERT_EQ(haende.abzudocken.size(), 1u);

    // "Flotte abdocken" for fleet 3 comes with the next pass.
    abdockenAnfordern(w.spiel, haende);
    EXPECT_EQ(w.spiel.karte.abdockFlotte, 3);
}

}  // namespace
}  // namespace qz

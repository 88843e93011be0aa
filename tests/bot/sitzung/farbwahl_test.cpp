// The colour a computer player asks for: counted from its own seat on, never one another seat
// holds.
#include "bot/farbwahl.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(Farbwahl, FromTheOwnSeatOnAndNeverAColourHeld)
{
    struct Fall {
        int eigen;
        std::array<int, 4> farben;  // the colour each seat holds now, 0 none
        int erwartet;
    };
    const Fall faelle[] = {
        {2, {0, 0, 0, 0}, 2},  // two computer players seated at once ask for different colours
        {3, {0, 0, 0, 0}, 3},
        {2, {2, 0, 0, 0}, 3},  // the person took seat 2's colour: the next one
        {4, {1, 2, 3, 0}, 4},
        {4, {4, 5, 6, 0}, 7},
        {3, {8, 7, 0, 0}, 3},
        {3, {3, 4, 0, 5}, 6},
        {2, {3, 5, 4, 0}, 2},  // its own colour counts as free
        {1, {0, 1, 0, 0}, 2},
    };
    for (const Fall& f : faelle) {
        Spielstand spiel;
        spiel.Spieleranzahl = 4;
        for (int n = 1; n <= 4; ++n) spiel.spieler.spielerFarbe(n, 0) = f.farben[static_cast<std::size_t>(n - 1)];
        EXPECT_EQ(farbeWaehlen(spiel, f.eigen), f.erwartet) << "seat " << f.eigen;
    }
}

}  // namespace
}  // namespace qz

// Start values of the game state.
#include "state/spielstand.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(StartValues, SystemsHaveCapacity500AndAreCleared)
{
    Spielstand s;
    EXPECT_EQ(s.Sternanzahl, 200);
    EXPECT_EQ(s.systeme.besitzer(500), 0);
    EXPECT_EQ(s.systeme.name(1), "");
    EXPECT_EQ(s.systeme.bauTyp(500, 3), 0);
    EXPECT_THROW(s.systeme.besitzer(501), LaufzeitFehler);
    EXPECT_THROW(s.systeme.pos(1, 3), LaufzeitFehler);
    EXPECT_THROW(s.systeme.typ(0), LaufzeitFehler);
}

TEST(StartValues, EconomyPlayersAndResearch)
{
    Spielstand s;
    EXPECT_EQ(s.wirtschaft.geld, 2000);
    EXPECT_EQ(s.wirtschaft.vorrat, 500);
    EXPECT_EQ(s.scrollSchritt, 2);
    EXPECT_EQ(s.spieler.parkOffset(1, 2), 20);
    EXPECT_EQ(s.spieler.parkOffset(2, 2), -20);
    EXPECT_EQ(s.spieler.parkOffset(3, 1), -20);
    EXPECT_EQ(s.spieler.parkOffset(4, 1), 20);
    EXPECT_DOUBLE_EQ(s.spieler.bewegungsIntervall(4), 0.12);
    EXPECT_EQ(s.hintergrundGroesse(14, 1), 1536);
    EXPECT_EQ(s.hintergrundGroesse(1, 2), 832);
    EXPECT_EQ(s.forschung.thema(1).name, "Biosph\x84re Forschung");
    EXPECT_EQ(s.forschung.thema(2).kosten, 84);
    EXPECT_EQ(s.forschung.thema(7).kosten, 1025);
    for (int p = 1; p <= 4; ++p) EXPECT_EQ(s.saetze(p).anzahl, 0);
}

}  // namespace
}  // namespace qz

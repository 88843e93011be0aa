// The view holds what the player's screens show and nothing more.
#include "bot/strategy/lage.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

void schiffe(SchiffSatz& satz, const std::vector<std::array<int, 5>>& liste)  // typ, x, y, angedockt, flotte
{
    for (auto& f : satz.feld) f.redim(0, static_cast<int>(liste.size()), "0");
    for (std::size_t k = 0; k < liste.size(); ++k) {
        const int i = static_cast<int>(k) + 1;
        satz.setze(kTyp, i, liste[k][0]);
        satz.setze(kX, i, liste[k][1]);
        satz.setze(kY, i, liste[k][2]);
        satz.setze(kZielX, i, liste[k][1]);
        satz.setze(kZielY, i, liste[k][2]);
        satz.setze(kAngedockt, i, liste[k][3]);
        satz.setze(kFlotte, i, liste[k][4]);
    }
    satz.anzahl = static_cast<int>(liste.size());
}

TEST(Lage, ShowsOnlyOwnDiscoveriesAndTheForeignFleetsInSight)
{
    Spielstand spiel;
    spiel.eigenerSpieler = 1;
    spiel.Spieleranzahl = 2;
    spiel.Sternanzahl = 3;
    auto& sys = spiel.systeme;
    const int werte[3][4] = {{1, 1, 42, 120}, {2, 1, 8, 90}, {2, 2, 11, 70}};  // owner, discoverer, type, population base
    for (int s = 1; s <= 3; ++s) {
        sys.pos(s, 1) = 400 * s;
        sys.pos(s, 2) = 300;
        sys.besitzer(s) = werte[s - 1][0];
        sys.entdecker(s) = werte[s - 1][1];
        sys.typ(s) = werte[s - 1][2];
        sys.einwohnerBasis(s) = werte[s - 1][3];
        sys.einwohner(s) = werte[s - 1][3];
        sys.befestigung(s) = 1000 * s;
    }
    // Player 2: fleet 1 parked 20 px above own system 1 (icon centre (400, 280)), fleet 2 at
    // its own system 3 far from any own system, and a docked ship at system 1's position.
    schiffe(spiel.saetze(2), {{{7, 384, 264, 0, 1}}, {{2, 1184, 264, 0, 2}}, {{8, 384, 264, 1, 3}}});
    schiffe(spiel.saetze(1), {{{1, 0, 0, 1, 0}}});
    Feld<int> abkommen{1, 4, 0};
    abkommen(2) = 1;

    const Lage lage = lageErfassen(spiel, abkommen, 12.0);
    ASSERT_EQ(lage.systeme.size(), 3u);
    EXPECT_EQ(lage.system(1).befestigung, 1000);  // own: current values shown
    EXPECT_EQ(lage.system(2).besitzer, 2);         // discovered foreign: owner, type, bases
    EXPECT_EQ(lage.system(2).typ, 8);
    EXPECT_EQ(lage.system(2).befestigung, 0);      // but not its current fortification
    EXPECT_FALSE(lage.system(3).entdeckt);         // discovered by the other player only
    EXPECT_EQ(lage.system(3).besitzer, 0);
    EXPECT_EQ(lage.system(3).typ, 0);
    EXPECT_EQ(lage.system(3).x, 1200);             // positions are always shown

    ASSERT_EQ(lage.fremdeFlotten.size(), 1u);      // the one in sight; not the far or the docked one
    EXPECT_EQ(lage.fremdeFlotten[0].typ, 7);
    ASSERT_EQ(lage.schiffe.size(), 1u);
    EXPECT_EQ(lage.schiffe[0].angedockt, 1);
    EXPECT_EQ(lage.abkommen[2], 1);
    EXPECT_EQ(lage.zeit, 12.0);
    EXPECT_TRUE(lage.gefechte.empty());

    // Two own ships standing in space at system 1, beside player 2's fleet 1: a battle there.
    // Of the enemy it shows the first ship's picture; the hull the own ships lost proves its
    // firepower: 300 lost by 2 ships of shield 150 prove at least 300 + 2 x 150 = 600. A loss
    // at system 3, where no own ship stands now, is no battle of this view.
    schiffe(spiel.saetze(1), {{{2, 384, 304, 0, 1}}, {{2, 384, 304, 0, 1}}});
    for (int i : {1, 2}) spiel.saetze(1).setze(kOrt, i, 1);
    spiel.saetze(2).setze(kOrt, 1, 1);
    const Lage kampf = lageErfassen(spiel, abkommen, 12.0, {{1, 2, 0, 300, 150}, {3, 1, 1, 500, 0}});
    ASSERT_EQ(kampf.gefechte.size(), 1u);
    EXPECT_EQ(kampf.gefechte[0].system, 1);
    EXPECT_EQ(kampf.gefechte[0].spieler, 2);
    EXPECT_EQ(kampf.gefechte[0].typ, 7);
    EXPECT_EQ(kampf.gefechte[0].feuerkraft, 600);
    EXPECT_EQ(lageErfassen(spiel, abkommen, 12.0).gefechte.at(0).feuerkraft, 0) << "nothing lost, nothing proven";
}

}  // namespace
}  // namespace qz

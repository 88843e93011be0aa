// The battle reckoning against the worked examples of the combat rule (shields full every
// round, damage = enemy firepower / own ship count, hull lost only above the shield).
#include "bot/strategy/kampfkraft.hpp"
#include "systems/schiffstypen.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

std::vector<Kampfschiff> viele(int n, int typ)
{
    const Schiffstyp& t = schiffstyp(typ);
    return std::vector<Kampfschiff>(static_cast<std::size_t>(n), {t.schild, t.huelle, t.feuerkraft});
}

TEST(Kampfkraft, WorkedExamplesOfTheCombatRule)
{
    struct Fall {
        const char* was;
        std::vector<Kampfschiff> a, b;
        Ausgang erwartet;
    };
    // An enemy that cannot be hurt (shield 10000) with a total firepower of 2000.
    const std::vector<Kampfschiff> mauer(10, {10000, 1, 200});
    const Fall faelle[] = {
        // 5 x type 2 (Σ 200, shield 150) against 5 x type 7 (Σ 725, shield 400): 725 / 5 = 145
        // and 200 / 5 = 40 stay below the shields; nobody is ever hurt, the first round ends it.
        {"stalemate", viele(5, 2), viele(5, 7), {5, 5, 1}},
        // 10 x type 8 (Σ 1900) against 5 x type 2: 380 - 150 = 230 a round, 500 -> 270 -> 40
        // -> dead in round 3; the type 8 take 200 / 10 = 20 < 500.
        {"superior fleet", viele(10, 8), viele(5, 2), {10, 0, 3}},
        // 4 x type 7 against Σ 2000: 500 - 400 = 100 a round, 1250 hull gone in round 13.
        {"outgunned battleships", viele(4, 7), mauer, {0, 10, 13}},
        // A lone colony ship (shield 0, hull 450) against one type 2 (40): 450 / 40 = 11.25,
        // dead in round 12; its 25 never pass the shield of 150.
        {"lone colony ship", viele(1, 1), viele(1, 2), {0, 1, 12}},
    };
    for (const Fall& f : faelle) {
        const Ausgang e = gefechtRechnen(f.a, f.b);
        EXPECT_EQ(e.ueberlebendeA, f.erwartet.ueberlebendeA) << f.was;
        EXPECT_EQ(e.ueberlebendeB, f.erwartet.ueberlebendeB) << f.was;
        EXPECT_EQ(e.runden, f.erwartet.runden) << f.was;
    }
    EXPECT_TRUE(gewinnt(gefechtRechnen(viele(10, 8), viele(5, 2))));
    EXPECT_FALSE(gewinnt(gefechtRechnen(viele(5, 2), viele(5, 7))));
}

TEST(Kampfkraft, TheEnemyIsWhatTheMapShowsAndWhatOwnLossesProve)
{
    // A foreign fleet of player 2 stands at system 1; the map shows its first ship, a type 2.
    Lage lage;
    lage.systeme.push_back({1, 500, 500});
    lage.fremdeFlotten.push_back({2, 2, 484, 504, 1});
    const auto anzahl = [](const std::vector<Kampfschiff>& k, int typ) {
        const Schiffstyp& t = schiffstyp(typ);
        return std::count_if(k.begin(), k.end(), [&](const Kampfschiff& s) {
            return s.schild == t.schild && s.huelle == t.huelle && s.feuerkraft == t.feuerkraft;
        });
    };
    Gedaechtnis g;
    EXPECT_EQ(anzahl(feindKraft(lage, g, 1), 2), 3) << "no size shown: three of the picture";

    // Own losses there prove Σ 400: 3 x 40 fall short, 7 more make 400.
    lage.gefechte.push_back({1, 2, 2, 400});
    EXPECT_EQ(feindKraft(lage, g, 1).size(), 10u);
    EXPECT_EQ(anzahl(feindKraft(lage, g, 1), 2), 10);

    // Elsewhere, the same player once proved Σ 800: each fleet of it counts as 800 / 40 = 20.
    lage.gefechte.clear();
    g.feindFlotten.push_back({5, 2, 2, 800});
    EXPECT_EQ(feindKraft(lage, g, 1).size(), 20u);

    // Nobody in sight: a battle here within the memory still counts, as if its fleet were seen.
    lage.fremdeFlotten.clear();
    g.feindFlotten.clear();
    EXPECT_TRUE(feindKraft(lage, g, 1).empty());
    g.gefechtsOrte.emplace_back(Gefecht{1, 2, 6, 1000}, lage.zeit);
    EXPECT_EQ(anzahl(feindKraft(lage, g, 1), 6), 10);  // 1000 / 100
    lage.zeit += kGefechtGedaechtnis;
    EXPECT_TRUE(feindKraft(lage, g, 1).empty());
}

}  // namespace
}  // namespace qz

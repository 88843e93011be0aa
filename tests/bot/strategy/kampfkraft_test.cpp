// The battle reckoning against the worked examples of the combat rule (shields full every
// round, damage = enemy firepower / own ship count, hull lost only above the shield).
#include "bot/strategy/kampfkraft.hpp"
#include "fleets/combat.hpp"
#include "gfx/text_numbers.hpp"
#include "systems/schiffstypen.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <random>

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
    // A figure beyond any game (a broken list) is held to 1,000,000: 25,000 type 2.
    g.feindFlotten.back().feuerkraft = INT_MAX;
    EXPECT_EQ(feindKraft(lage, g, 1).size(), 25000u);
    g.feindFlotten.back().feuerkraft = 800;

    // Nobody in sight: a battle here within the memory still counts, as if its fleet were seen.
    lage.fremdeFlotten.clear();
    g.feindFlotten.clear();
    EXPECT_TRUE(feindKraft(lage, g, 1).empty());
    g.gefechtsOrte.emplace_back(Gefecht{1, 2, 6, 1000}, lage.zeit);
    EXPECT_EQ(anzahl(feindKraft(lage, g, 1), 6), 10);  // 1000 / 100
    lage.zeit += kGefechtGedaechtnis;
    EXPECT_TRUE(feindKraft(lage, g, 1).empty());
}

// The game's own combat step as the reference: every round each side's client applies the
// battle record, taken before anybody fires, to its own ships with SUB_MP_KAMPF; destroyed
// ships leave, and the shields are full again by the next round (they recharge every frame).
struct Spielseite {
    Feld<std::string> typ{0, 0, ""}, schild{0, 0, ""}, huelle{0, 0, ""}, flotte{0, 0, ""};
    std::vector<Kampfschiff> werte;  // shield maximum and firepower per ship, from 1

    int lebend() const
    {
        int n = 0;
        for (int i = 1; i <= typ.hi(); ++i) n += textToInt(typ(i)) > 0 ? 1 : 0;
        return n;
    }
};

Schlacht imSpiel(std::vector<std::vector<Kampfschiff>> seiten, int maxRunden)
{
    std::vector<Spielseite> s(seiten.size());
    for (std::size_t p = 0; p < seiten.size(); ++p) {
        const int n = static_cast<int>(seiten[p].size());
        for (Feld<std::string>* f : {&s[p].typ, &s[p].schild, &s[p].huelle, &s[p].flotte}) f->redim(0, n, "");
        for (int i = 1; i <= n; ++i) {
            const Kampfschiff& k = seiten[p][static_cast<std::size_t>(i - 1)];
            s[p].typ(i) = "2";
            s[p].schild(i) = numberToText(k.schild);
            s[p].huelle(i) = numberToText(k.huelle);
            s[p].flotte(i) = "1";
        }
        s[p].werte = seiten[p];
    }
    Schlacht e;
    const auto lebende = [&] { return std::count_if(s.begin(), s.end(), [](const Spielseite& x) { return x.lebend() > 0; }); };
    while (lebende() >= 2 && e.runden < maxRunden) {
        ++e.runden;
        std::vector<KampfGegner> record(s.size());
        for (std::size_t p = 0; p < s.size(); ++p) {
            record[p].spieler = static_cast<int>(p) + 1;
            for (int i = 1; i <= s[p].typ.hi(); ++i) {
                if (textToInt(s[p].typ(i)) < 1) continue;
                ++record[p].anzahl;
                record[p].schiffe += "," + numberToText(i);
                record[p].huelle += "," + s[p].huelle(i);
                record[p].schild += "," + s[p].schild(i);
                record[p].feuerkraft += "," + numberToText(s[p].werte[static_cast<std::size_t>(i - 1)].feuerkraft);
            }
        }
        bool getroffen = false;
        for (std::size_t p = 0; p < s.size(); ++p) {
            if (record[p].anzahl == 0) continue;
            std::array<KampfGegner, 3> gegner{};
            std::size_t g = 0;
            for (std::size_t k = 0; k < s.size(); ++k)
                if (k != p) gegner[g++] = record[k];
            const Feld<std::string> vorher = s[p].huelle;
            int gf = 0, gs = 0;
            SUB_MP_KAMPF(static_cast<int>(p) + 1, gf, gs, s[p].typ, s[p].schild, s[p].huelle, s[p].flotte,
                         record[p].schiffe, record[p].anzahl, gegner);
            for (int i = 1; i <= s[p].huelle.hi(); ++i) getroffen = getroffen || s[p].huelle(i) != vorher(i);
        }
        for (Spielseite& x : s)
            for (int i = 1; i <= x.typ.hi(); ++i) x.schild(i) = numberToText(x.werte[static_cast<std::size_t>(i - 1)].schild);
        if (!getroffen) break;
    }
    for (const Spielseite& x : s) e.ueberlebende.push_back(x.lebend());
    return e;
}

TEST(Kampfkraft, TheEstimateFightsAsTheGamesCombatStepOnRandomForcesOfTwoToFourSides)
{
    std::mt19937 zufall(20261208);
    const auto zahl = [&](int von, int bis) { return std::uniform_int_distribution<int>(von, bis)(zufall); };
    for (int versuch = 0; versuch < 400; ++versuch) {
        std::vector<std::vector<Kampfschiff>> seiten(static_cast<std::size_t>(zahl(2, 4)));
        for (auto& seite : seiten) {
            const int schildStufe = zahl(0, 20);
            for (int k = zahl(1, 12); k > 0; --k) {
                const int typ = zahl(1, 8);
                const Schiffstyp& t = schiffstyp(typ);
                seite.push_back({schildMaximum(typ, schildStufe), zahl(1, t.huelle), t.feuerkraft});
            }
        }
        const Schlacht geschaetzt = schlachtRechnen(seiten, 60);
        const Schlacht gespielt = imSpiel(seiten, 60);
        ASSERT_EQ(geschaetzt.ueberlebende, gespielt.ueberlebende) << "battle " << versuch;
        ASSERT_EQ(geschaetzt.runden, gespielt.runden) << "battle " << versuch;
    }
}

}  // namespace
}  // namespace qz

// Star-map generation: the order of the random draws, the spacing rule, the value ranges of
// the type table, the names and the home planets.
#include "state/planetentypen.hpp"
#include "map/sternkarte.hpp"
#include "platform/headless/headless_platform.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace qz {
namespace {

struct Karte {
    HeadlessPlatform zufall;
    Sternsysteme s;
    int versuche = 0;

    Karte(double seed, int N, int P = 1, Heimatoptionen optionen = {})
    {
        zufall.randomize(seed);
        versuche = systemePlatzieren(zufall, s, N, 1536, 832);
        heimatplanetenSetzen(zufall, s, N, P, optionen);
    }
};

TEST(Generation, OneSystemDrawsPositionTypeAndBasesInThisOrder)
{
    HeadlessPlatform a, b;
    a.randomize(17.25);
    b.randomize(17.25);
    Sternsysteme s;
    SUB_STERNSYSTEM_ERSTELLEN(a, s, 7, 1536, 832);

    const int x = static_cast<int>(b.rnd() * (1536 + 964) + 30);
    const int y = static_cast<int>(b.rnd() * (832 + 708) + 30);
    const int typ = static_cast<int>(b.rnd() * 17 + 1);
    const Planetentyp& t = planetentyp(typ);
    auto ziehe = [&](Bereich r) { return r.von + static_cast<int>(b.rnd() * (r.bis - r.von + 1)); };
    const int e = ziehe(t.einwohner), v = ziehe(t.versorgung), f = ziehe(t.forschung), h = ziehe(t.handel),
              w = ziehe(t.werft);

    EXPECT_EQ(s.pos(7, 1), x);
    EXPECT_EQ(s.pos(7, 2), y);
    EXPECT_EQ(s.typ(7), typ);
    EXPECT_EQ(s.befestigungBasis(7), t.befestigung);
    EXPECT_EQ(s.einwohnerBasis(7), e);
    EXPECT_EQ(s.versorgungBasis(7), v);
    EXPECT_EQ(s.forschungBasis(7), f);
    EXPECT_EQ(s.handelBasis(7), h);
    EXPECT_EQ(s.werftBasis(7), w);
    EXPECT_EQ(s.name(7), "Planet X7");
    EXPECT_EQ(s.besitzer(7), 0);
    EXPECT_EQ(s.entdecker(7), 0);
    EXPECT_EQ(s.schild(7), 0);
    // Eight draws per system, no more: the next draw of both generators agrees.
    EXPECT_EQ(a.rnd(), b.rnd());
}

TEST(Generation, NoTwoSystemsShareTheSpacingSquareOverManySeeds)
{
    for (int seed = 1; seed <= 60; ++seed) {
        Karte k(seed * 3.7, 200);
        for (int i = 1; i <= 200; ++i) {
            for (int j = 1; j < i; ++j) {
                const bool imQuadrat = std::abs(k.s.pos(i, 1) - k.s.pos(j, 1)) < 90 &&
                                       std::abs(k.s.pos(i, 2) - k.s.pos(j, 2)) < 90;
                ASSERT_FALSE(imQuadrat) << "seed " << seed << ": systems " << j << " and " << i;
            }
        }
        EXPECT_GE(k.versuche, 200);
    }
}

TEST(Generation, RejectedSystemsAreRedrawnWholeAndKeepTheirNumberInTheName)
{
    int mitAbweisung = 0;
    for (int seed = 1; seed <= 20; ++seed) {
        Karte k(seed + 0.5, 200);
        if (k.versuche > 200) ++mitAbweisung;
        for (int i = 1; i <= 200; ++i) {
            if (k.s.typ(i) == kHeimatTyp) continue;
            EXPECT_EQ(k.s.name(i), "Planet X" + std::to_string(i));
            // Fortification follows the type drawn in the accepted attempt.
            EXPECT_EQ(k.s.befestigungBasis(i), planetentyp(k.s.typ(i)).befestigung);
            EXPECT_EQ(k.s.befestigung(i), k.s.befestigungBasis(i));
            EXPECT_EQ(k.s.befestigungMax(i), k.s.befestigungBasis(i));
        }
    }
    EXPECT_GT(mitAbweisung, 15);  // 200 systems in the area practically always need redraws
}

// The placement written out draw by draw: a rejected system draws all eight values anew, and
// the next system starts with the draw after the accepted attempt.
TEST(Generation, PlacementMatchesTheDrawByDrawRule)
{
    HeadlessPlatform zufall;
    zufall.randomize(42.0);
    Sternsysteme s;
    systemePlatzieren(zufall, s, 200, 1536, 832);

    HeadlessPlatform b;
    b.randomize(42.0);
    std::vector<std::array<int, 8>> angenommen;
    int abgewiesen = 0;
    while (angenommen.size() < 200) {
        std::array<int, 8> v{};
        v[0] = static_cast<int>(b.rnd() * 2500 + 30);
        v[1] = static_cast<int>(b.rnd() * 1540 + 30);
        v[2] = static_cast<int>(b.rnd() * 17 + 1);
        const Planetentyp& t = planetentyp(v[2]);
        int k = 3;
        for (Bereich r : {t.einwohner, t.versorgung, t.forschung, t.handel, t.werft})
            v[k++] = r.von + static_cast<int>(b.rnd() * (r.bis - r.von + 1));
        bool frei = true;
        for (const auto& a : angenommen)
            frei = frei && !(std::abs(a[0] - v[0]) < 90 && std::abs(a[1] - v[1]) < 90);
        if (frei) angenommen.push_back(v);
        else ++abgewiesen;
    }
    EXPECT_GT(abgewiesen, 0);
    for (int i = 1; i <= 200; ++i) {
        const auto& v = angenommen[static_cast<std::size_t>(i - 1)];
        ASSERT_EQ(s.pos(i, 1), v[0]) << i;
        ASSERT_EQ(s.pos(i, 2), v[1]) << i;
        ASSERT_EQ(s.typ(i), v[2]) << i;
        ASSERT_EQ(s.einwohnerBasis(i), v[3]) << i;
        ASSERT_EQ(s.versorgungBasis(i), v[4]) << i;
        ASSERT_EQ(s.forschungBasis(i), v[5]) << i;
        ASSERT_EQ(s.handelBasis(i), v[6]) << i;
        ASSERT_EQ(s.werftBasis(i), v[7]) << i;
    }
}

TEST(Generation, PositionsTypesAndBasesStayWithinTheirInclusiveRanges)
{
    std::map<int, std::set<int>> einwohnerJeTyp;
    std::set<int> typen;
    int minX = 1 << 30, maxX = 0, minY = 1 << 30, maxY = 0;
    for (int seed = 1; seed <= 150; ++seed) {
        Karte k(seed * 1.31, 200);
        for (int i = 1; i <= 200; ++i) {
            const int typ = k.s.typ(i);
            minX = std::min(minX, k.s.pos(i, 1));
            maxX = std::max(maxX, k.s.pos(i, 1));
            minY = std::min(minY, k.s.pos(i, 2));
            maxY = std::max(maxY, k.s.pos(i, 2));
            if (typ == kHeimatTyp) continue;
            typen.insert(typ);
            const Planetentyp& t = planetentyp(typ);
            auto innerhalb = [](int v, Bereich r) { return v >= r.von && v <= r.bis; };
            ASSERT_TRUE(innerhalb(k.s.einwohnerBasis(i), t.einwohner));
            ASSERT_TRUE(innerhalb(k.s.versorgungBasis(i), t.versorgung));
            ASSERT_TRUE(innerhalb(k.s.forschungBasis(i), t.forschung));
            ASSERT_TRUE(innerhalb(k.s.handelBasis(i), t.handel));
            ASSERT_TRUE(innerhalb(k.s.werftBasis(i), t.werft));
            einwohnerJeTyp[typ].insert(k.s.einwohnerBasis(i));
            // Ordinary systems start uninhabited.
            ASSERT_EQ(k.s.einwohner(i) + k.s.versorgung(i) + k.s.forschung(i) + k.s.handel(i) + k.s.werft(i), 0);
            ASSERT_EQ(k.s.besitzer(i), 0);
        }
    }
    EXPECT_GE(minX, 30);
    EXPECT_LE(maxX, 2529);
    EXPECT_GE(minY, 30);
    EXPECT_LE(maxY, 1569);
    EXPECT_LT(minX, 60);
    EXPECT_GT(maxX, 2500);
    EXPECT_EQ(typen.size(), 17u);
    EXPECT_EQ(*typen.begin(), 1);
    EXPECT_EQ(*typen.rbegin(), 17);
    // Both ends of an inclusive range occur: type 8's population base runs 60..129.
    EXPECT_EQ(*einwohnerJeTyp[8].begin(), 60);
    EXPECT_EQ(*einwohnerJeTyp[8].rbegin(), 129);
    EXPECT_EQ(*einwohnerJeTyp[12].begin(), 5);
    EXPECT_EQ(*einwohnerJeTyp[12].rbegin(), 14);
}

TEST(Generation, BackgroundIsOneToThirteen)
{
    HeadlessPlatform zufall;
    zufall.randomize(3.0);
    std::set<int> gesehen;
    for (int n = 0; n < 2000; ++n) gesehen.insert(hintergrundWaehlen(zufall));
    EXPECT_EQ(gesehen.size(), 13u);
    EXPECT_EQ(*gesehen.begin(), 1);
    EXPECT_EQ(*gesehen.rbegin(), 13);
}

TEST(Generation, SandboxHomePlanetFollowsTheHomeRules)
{
    for (int seed = 1; seed <= 30; ++seed) {
        Karte k(seed * 0.77, 200);
        int heimat = 0;
        for (int i = 1; i <= 200; ++i) {
            if (k.s.typ(i) != kHeimatTyp) continue;
            ++heimat;
            EXPECT_EQ(k.s.name(i), "Heimatplanet");
            EXPECT_EQ(k.s.besitzer(i), 1);
            EXPECT_EQ(k.s.entdecker(i), 1);
            EXPECT_EQ(k.s.schild(i), 0);
            EXPECT_EQ(k.s.befestigung(i), 5000);
            EXPECT_EQ(k.s.befestigungBasis(i), 5000);
            EXPECT_EQ(k.s.befestigungMax(i), 5000);
            EXPECT_EQ(k.s.einwohner(i), k.s.einwohnerBasis(i));
            EXPECT_EQ(k.s.versorgung(i), k.s.versorgungBasis(i));
            EXPECT_EQ(k.s.forschung(i), k.s.forschungBasis(i));
            EXPECT_EQ(k.s.handel(i), k.s.handelBasis(i));
            EXPECT_EQ(k.s.werft(i), k.s.werftBasis(i));
            EXPECT_TRUE(k.s.einwohner(i) >= 75 && k.s.einwohner(i) <= 174);
            EXPECT_TRUE(k.s.versorgung(i) >= 50 && k.s.versorgung(i) <= 109);
            EXPECT_TRUE(k.s.forschung(i) >= 40 && k.s.forschung(i) <= 89);
            EXPECT_TRUE(k.s.handel(i) >= 20 && k.s.handel(i) <= 59);
            EXPECT_TRUE(k.s.werft(i) >= 40 && k.s.werft(i) <= 89);
        }
        EXPECT_EQ(heimat, 1);
    }
}

TEST(Generation, FourPlayersOnFiftySystemsGetFourDistinctHomes)
{
    for (int seed = 1; seed <= 40; ++seed) {
        Karte k(seed * 2.1, 50, 4);
        std::set<int> besitzer;
        for (int i = 1; i <= 50; ++i) {
            if (k.s.typ(i) != kHeimatTyp) {
                EXPECT_EQ(k.s.besitzer(i), 0);
                continue;
            }
            besitzer.insert(k.s.besitzer(i));
        }
        EXPECT_EQ(besitzer, (std::set<int>{1, 2, 3, 4})) << "seed " << seed;
        for (int i = 51; i <= 500; ++i) ASSERT_EQ(k.s.typ(i), 0);
    }
}

TEST(Generation, MultiplayerHomesKeepTheirDistanceAndOnlyTheHostGetsFullFortification)
{
    Heimatoptionen mp;
    mp.sandkasten = false;
    mp.generierenderSpieler = 1;
    mp.regel = heimatAbstandMehrspieler;
    for (int seed = 1; seed <= 40; ++seed) {
        Karte k(seed * 5.3, 200, 4, mp);
        std::map<int, int> heim;
        for (int i = 1; i <= 200; ++i)
            if (k.s.typ(i) == kHeimatTyp) heim[k.s.besitzer(i)] = i;
        ASSERT_EQ(heim.size(), 4u);
        for (auto [p, i] : heim) {
            EXPECT_EQ(k.s.entdecker(i), 0);
            EXPECT_EQ(k.s.befestigung(i), 5000);
            if (p == 1) {
                EXPECT_EQ(k.s.befestigungMax(i), 5000);
            }
            for (auto [q, j] : heim) {
                if (q >= p) continue;
                const bool nah = std::abs(k.s.pos(i, 1) - k.s.pos(j, 1)) < 600 &&
                                 std::abs(k.s.pos(i, 2) - k.s.pos(j, 2)) < 600;
                EXPECT_FALSE(nah) << "seed " << seed << ": homes of " << q << " and " << p;
            }
        }
    }
}

TEST(Generation, AnUnsatisfiableHomeRuleFallsBackToAnyFreeSystem)
{
    Heimatoptionen streng;
    streng.regel = [](const Sternsysteme&, int, int p) { return p == 1; };
    Karte k(9.0, 50, 3, streng);
    std::set<int> besitzer;
    for (int i = 1; i <= 50; ++i)
        if (k.s.typ(i) == kHeimatTyp) besitzer.insert(k.s.besitzer(i));
    EXPECT_EQ(besitzer, (std::set<int>{1, 2, 3}));
}

TEST(Generation, MorePlayersThanSystemsStopsWhenNoFreeSystemIsLeft)
{
    Karte k(4.0, 2, 4);
    EXPECT_EQ(k.s.besitzer(1) + k.s.besitzer(2), 3);  // players 1 and 2; 3 and 4 get none
}

}  // namespace
}  // namespace qz

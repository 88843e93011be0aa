// The multiplayer start's home planets: at least 600 pixels apart in x or in y, and with 50
// systems and four players every player still gets a distinct home planet.
#include "map/sternkarte.hpp"
#include "multiplayer/play/lobby_start.hpp"
#include "platform/headless/headless_platform.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

namespace qz {
namespace {

TEST(HeimatAbstand, FiftySystemsFourPlayersAlwaysEnd)
{
    HeadlessPlatform zufall;
    int mitAbstand = 0;
    for (int lauf = 0; lauf < 40; ++lauf) {
        zufall.randomize(lauf * 1.5 + 0.25);
        Sternsysteme s;
        systemePlatzieren(zufall, s, 50, 1536, 832);
        Heimatoptionen optionen;
        optionen.sandkasten = false;
        optionen.regel = heimatAbstandMehrspieler;
        heimatplanetenSetzen(zufall, s, 50, 4, optionen);
        std::vector<int> heimat;
        for (int i = 1; i <= 50; ++i)
            if (s.typ(i) == 42) heimat.push_back(i);
        ASSERT_EQ(heimat.size(), 4u) << "run " << lauf;
        for (int p = 1; p <= 4; ++p) {
            int n = 0;
            for (int i : heimat) n += s.besitzer(i) == p ? 1 : 0;
            EXPECT_EQ(n, 1);
        }
        bool weit = true;
        for (std::size_t a = 0; a < heimat.size(); ++a)
            for (std::size_t b = a + 1; b < heimat.size(); ++b)
                weit = weit && (std::abs(s.pos(heimat[a], 1) - s.pos(heimat[b], 1)) >= 600 ||
                                std::abs(s.pos(heimat[a], 2) - s.pos(heimat[b], 2)) >= 600);
        mitAbstand += weit ? 1 : 0;
    }
    EXPECT_GT(mitAbstand, 30) << "on a 2560 x 1600 map four homes 600 apart are nearly always found";
}

TEST(HeimatAbstand, FallbackWhenNoFreeSystemQualifies)
{
    HeadlessPlatform zufall;
    Sternsysteme s;
    for (int i = 1; i <= 3; ++i) {
        s.pos(i, 1) = 100 + 10 * i;
        s.pos(i, 2) = 100;
    }
    Heimatoptionen optionen;
    optionen.sandkasten = false;
    optionen.regel = heimatAbstandMehrspieler;
    heimatplanetenSetzen(zufall, s, 3, 3, optionen);
    for (int p = 1; p <= 3; ++p) {
        int n = 0;
        for (int i = 1; i <= 3; ++i) n += s.besitzer(i) == p ? 1 : 0;
        EXPECT_EQ(n, 1) << "player " << p;
    }
}

// A tournament plays one map twice with the seats swapped: the host's map must follow the seed
// alone, not the clock it was made at.
TEST(HeimatAbstand, OneSeedMakesOneMapWhateverTheClock)
{
    auto karte = [](double uhr, double seed) {
        HeadlessPlatform zufall;
        zufall.advance(uhr);
        Spielstand spiel;
        for (int k = 1; k <= 13; ++k) {
            spiel.hintergrundGroesse(k, 1) = 1536;
            spiel.hintergrundGroesse(k, 2) = 832;
        }
        spiel.Sternanzahl = 200;
        spiel.Spieleranzahl = 2;
        sternkarteErzeugen(zufall, spiel, seed);
        std::vector<int> werte = {spiel.hintergrund};
        for (int i = 1; i <= 200; ++i)
            werte.insert(werte.end(), {spiel.systeme.pos(i, 1), spiel.systeme.pos(i, 2), spiel.systeme.besitzer(i)});
        return werte;
    };
    EXPECT_EQ(karte(5.0, 1234.0), karte(90000.0, 1234.0));
    EXPECT_NE(karte(5.0, 1234.0), karte(5.0, 1235.0));
}

}  // namespace
}  // namespace qz

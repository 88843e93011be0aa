// Whole flows through the sandbox on the headless backend, driven pass by pass like the main
// loop: a colony ship is ordered on the home planet, built, formed into a fleet, undocked, flown
// to a system in range and used to colonise it; the new colony becomes a trading post, links the
// home planet and earns its 20 G a day. And a topic is researched to level 3.
#include "tests/sandbox/sandbox_fixture.hpp"

#include "state/schiffslisten.hpp"

#include <cmath>

namespace qz {
namespace {

struct Ablauf : SandboxFixture {
    SchiffSatz& satz() { return spiel.saetze(1); }
    int sx(int s) { return spiel.systeme.pos(s, 1) - spiel.scrollX; }
    int sy(int s) { return spiel.systeme.pos(s, 2) - spiel.scrollY; }
    void rechtsklick()
    {
        pass(512, 500, 2);
        pass(512, 500, 0);
    }
    // Passes until cond holds or the game time runs out; the pointer rests mid-map.
    template <class Bedingung>
    bool warteBis(Bedingung cond, double hoechstens, double schritt = 0.02)
    {
        const double ende = platform.timer() + hoechstens;
        while (platform.timer() < ende) {
            if (cond()) return true;
            pass(512, 500);
            platform.advance(schritt);
        }
        return cond();
    }
    int schiffVomTyp(int typ)
    {
        for (int k = 1; k <= satz().anzahl; ++k)
            if (satz().wert(kTyp, k) == typ) return k;
        return 0;
    }
    int tag() { return static_cast<int>(std::lround((platform.timer() - 1000.0) / 5.0)); }
};

TEST_F(Ablauf, ColonyShipFromOrderToColonyAndTradingPost)
{
    starteSpiel();
    const int h = heimat();
    ASSERT_NE(h, 0);
    Sternsysteme& sys = spiel.systeme;
    // A neighbour 30 pixels from home, toward the middle of the map, so that the colony's trade
    // reach covers the home planet after a few weeks and both stay on screen.
    int ziel = h == 1 ? 2 : 1;
    const int richtung = sys.pos(h, 1) < 1280 ? 1 : -1;
    sys.pos(ziel, 1) = sys.pos(h, 1) + 30 * richtung;
    sys.pos(ziel, 2) = sys.pos(h, 2);
    sys.entdecker(ziel) = 0;
    ASSERT_EQ(sys.besitzer(ziel), 0);

    // Open the home planet, tab 4, open the catalogue, order a colony ship.
    click(sx(h), sy(h));
    ASSERT_EQ(spiel.gewaehltesSystem, h);
    for (int i = 0; i < 3; ++i) click(690, 20);
    ASSERT_EQ(spiel.karte.systemTab, 4);
    click(690, 175);
    ASSERT_EQ(spiel.karte.katalogOffen, 1);
    const int geld = spiel.wirtschaft.geld, einwohner = sys.einwohner(h);
    click(400, 240);
    ASSERT_EQ(sys.bauAuftraege(h), 1);
    EXPECT_EQ(spiel.wirtschaft.geld, geld - 380);
    EXPECT_EQ(sys.einwohner(h), einwohner - 15);
    rechtsklick();
    ASSERT_EQ(spiel.gewaehltesSystem, 0);

    // The shipyard works day by day; the ship appears docked at home after 500 points.
    const int tage = (500 + sys.werft(h) - 1) / sys.werft(h);
    ASSERT_TRUE(warteBis([&] { return schiffVomTyp(1) != 0; }, 5.0 * (tage + 4), 0.1));
    const int schiff = schiffVomTyp(1);
    EXPECT_EQ(satz().wert(kAngedockt, schiff), h);
    EXPECT_EQ(satz().wert(kHuelle, schiff), 450);
    EXPECT_EQ(sys.bauAuftraege(h), 0);

    // Hangar: select the ship, form a fleet, undock it.
    click(sx(h), sy(h));
    click(330, 20);
    ASSERT_EQ(spiel.karte.systemTab, 5);
    click(222, 286);
    ASSERT_EQ(spiel.karte.hangarSchiff, schiff);
    click(300, 250);
    const int flotte = satz().wert(kFlotte, schiff);
    ASSERT_EQ(flotte, 1);
    click(700, 250);
    EXPECT_EQ(spiel.karte.abdockFlotte, 1);
    rechtsklick();
    pass(512, 500);
    ASSERT_EQ(satz().wert(kAngedockt, schiff), 0);
    EXPECT_EQ(satz().wert(kOrt, schiff), h);
    EXPECT_EQ(satz().wert(kX, schiff), sys.pos(h, 1) - 16);
    EXPECT_EQ(satz().wert(kY, schiff), sys.pos(h, 2) + 4);

    // Select it on the map, send it to the neighbour.
    click(sx(h), sy(h) + 20);
    ASSERT_EQ(spiel.karte.gewaehlteFlotte, flotte);
    click(sx(ziel), sy(ziel));
    ASSERT_EQ(satz().wert(kZiel, schiff), ziel);
    ASSERT_TRUE(warteBis([&] { return satz().wert(kOrt, schiff) == ziel; }, 30.0));
    EXPECT_EQ(sys.entdecker(ziel), 1);
    EXPECT_EQ(satz().wert(kX, schiff), sys.pos(ziel, 1) - 16);
    EXPECT_EQ(satz().wert(kY, schiff), sys.pos(ziel, 2) + 4);

    // Deselect, open the neighbour's visit screen and colonise.
    rechtsklick();
    click(sx(ziel), sy(ziel));
    ASSERT_EQ(spiel.gewaehltesSystem, ziel);
    pass(512, 500);
    ASSERT_EQ(spiel.karte.kolonieschiff, schiff);
    click(400, 150);
    EXPECT_EQ(sys.besitzer(ziel), 1);
    EXPECT_EQ(sys.einwohner(ziel), std::min(sys.einwohnerBasis(ziel), 15));
    pass(512, 500);
    EXPECT_EQ(schiffVomTyp(1), 0);  // the colony ship is used up

    // The colony's screen: tab 2, "Handelsposten +35".
    ASSERT_EQ(spiel.karte.systemTab, 1);
    click(690, 20);
    click(500, 60);
    ASSERT_EQ(sys.handelsposten(ziel), -42);
    rechtsklick();

    // Its trade grows a point a day until the home planet, 30 pixels away, lies inside the reach.
    ASSERT_TRUE(warteBis([&] { return sys.handelsposten(h) == ziel; }, 5.0 * 60, 0.25));
    EXPECT_GT(sys.handel(ziel), 30);
    EXPECT_EQ(spiel.karte.handelsliste, "," + std::to_string(ziel) + "," + std::to_string(h));
    // The trade overlay is redrawn a few frames later with the line from hub to partner.
    warteBis([] { return false; }, 0.5, 0.1);
    const int mx = (sx(h) + sx(ziel)) / 2;
    EXPECT_EQ(pixel(mx, sy(h)), 0x9400FFu);
    // The next day pays 20 G for the linked system.
    const double naechster = spiel.wirtschaft.naechsterTag;
    ASSERT_TRUE(warteBis([&] { return spiel.wirtschaft.naechsterTag > naechster; }, 6.0, 0.25));
    EXPECT_EQ(spiel.wirtschaft.einnahmen, sys.einwohner(h) + sys.einwohner(ziel) + 20);

    // Tab 2 of the hub shows the partner and the income.
    click(sx(ziel), sy(ziel));
    click(690, 20);
    bool text = false;
    for (int y = 40; y < 56; ++y)
        for (int x = 335; x < 335 + 31 * 8; ++x) text |= pixel(x, y) == 0xFFFFFFu;
    EXPECT_TRUE(text);
}

TEST_F(Ablauf, AFleetDocksAgainAndIsRepairedInTheHangar)
{
    starteSpiel();
    const int h = heimat();
    click(sx(h), sy(h));
    for (int i = 0; i < 3; ++i) click(690, 20);
    click(690, 175);
    click(600, 240);  // type 2
    ASSERT_EQ(spiel.systeme.bauTyp(h, 1), 2);
    rechtsklick();
    ASSERT_TRUE(warteBis([&] { return schiffVomTyp(2) != 0; }, 5.0 * 30, 0.1));
    const int schiff = schiffVomTyp(2);

    click(sx(h), sy(h));
    click(330, 20);
    click(222, 286);
    click(300, 250);
    click(700, 250);
    rechtsklick();
    pass(512, 500);
    ASSERT_EQ(satz().wert(kAngedockt, schiff), 0);

    // Hit in space: the shield comes back there, the hull only in a hangar.
    satz().setze(kHuelle, schiff, 300);
    satz().setze(kSchild, schiff, 100);
    pass(512, 500);
    EXPECT_EQ(satz().wert(kSchild, schiff), 110);
    EXPECT_EQ(satz().wert(kHuelle, schiff), 300);

    click(sx(h), sy(h) + 20);
    ASSERT_EQ(spiel.karte.gewaehlteFlotte, 1);
    EXPECT_EQ(spiel.karte.gewaehlteTypen(2), 1);
    EXPECT_EQ(pixel(690, 680), 0x228B22u);  // "Andocken" is green at an own system
    click(600, 680);
    EXPECT_EQ(satz().wert(kAngedockt, schiff), h);
    EXPECT_EQ(spiel.karte.gewaehlteFlotte, 0);
    EXPECT_EQ(satz().wert(kFlotte, schiff), 1);
    const int huelle = satz().wert(kHuelle, schiff);
    pass(512, 500);
    EXPECT_EQ(satz().wert(kHuelle, schiff), huelle + 10);
    warteBis([] { return false; }, 1.0);
    EXPECT_EQ(satz().wert(kHuelle, schiff), 500);
}

TEST_F(Ablauf, VersorgungVerbessernReachesLevelThreeOnTheThirdDay)
{
    starteSpiel();
    const int h = heimat();
    // Exactly 100 research points a day: the home planet's output at its maximum, no budget.
    spiel.systeme.forschung(h) = 100;
    spiel.systeme.forschungBasis(h) = 100;
    click(sx(h), sy(h));
    click(690, 20);
    click(690, 20);
    ASSERT_EQ(spiel.karte.systemTab, 3);
    click(350, 39 * 2 + 210);  // row 2 of category 1: "Versorgung Verbessern"
    ASSERT_EQ(spiel.forschung.thema(2).aktiv, 1);
    ASSERT_EQ(spiel.forschung.aktiveThemen, 1);
    rechtsklick();
    const ForschungsThema& t = spiel.forschung.thema(2);
    const int erwartet[3][2] = {{1, 100}, {2, 116}, {3, 48}};
    for (const auto& e : erwartet) {
        const double naechster = spiel.wirtschaft.naechsterTag;
        ASSERT_TRUE(warteBis([&] { return spiel.wirtschaft.naechsterTag > naechster; }, 6.0, 0.25));
        EXPECT_EQ(spiel.wirtschaft.forschungspunkte, 100);
        EXPECT_EQ(t.stufe, e[0]);
        EXPECT_EQ(t.fortschritt, e[1]);
    }
}

}  // namespace
}  // namespace qz

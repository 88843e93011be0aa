// The star-system screens: the frame's bars, tab navigation by keys and arrows, the research
// tab's categories and budget, closing, the trading post on tab 2 and colonisation.
#include "systems/sternsystem_bildschirm.hpp"
#include "tests/systems/test_welt.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

class Bildschirm : public ::testing::Test {
protected:
    testwelt::Welt w;
    Sternsysteme& sys = w.spiel.systeme;
    Kartenzustand& k = w.spiel.karte;
    int& etat = w.spiel.wirtschaft.forschungsetat;
    int neuzeichnen = 0;
    const int s = 4;

    void SetUp() override
    {
        w.system(s, 700, 700, 1, 1);
        w.spiel.gewaehltesSystem = s;
    }
    void select()
    {
        clear(w.rahmen.screen());
        SUB_STERNSYSTEM_SELECT(w.rahmen, sys, s, 1, k, etat, w.spiel.gewaehltesSystem, neuzeichnen);
    }
    void klick(int x, int y)
    {
        w.linksklick(x, y);
        select();
    }
    void taste(int code, int scanCode)
    {
        w.rahmen.Tastencode = code;
        w.platform.holdKey(scanCode);
        select();
        EXPECT_EQ(w.rahmen.Tastencode, code) << "no change while the key is held";
        w.platform.releaseKey(scanCode);
        select();
    }
};

TEST_F(Bildschirm, NothingForASystemOfAnotherPlayer)
{
    sys.besitzer(s) = 2;
    select();
    EXPECT_EQ(w.pixel(320, 100), 0xFF000000u);
}

TEST_F(Bildschirm, DefenceBarsShowFortificationUnderShield)
{
    sys.befestigung(s) = 50;
    sys.befestigungMax(s) = 100;
    sys.schild(s) = 10;
    sys.schildMax(s) = 100;
    sys.name(s).clear();  // keep the title off the bars
    select();
    EXPECT_EQ(w.pixel(449, 10), 0xFF6495EDu);  // shield to 15.3 + 434, drawn over the fortification
    EXPECT_EQ(w.pixel(450, 10), 0xFF8B0000u);  // fortification to 76.5 + 434 = 510.5 -> 510
    EXPECT_EQ(w.pixel(510, 10), 0xFF8B0000u);
    EXPECT_NE(w.pixel(511, 10), 0xFF8B0000u);
}

TEST_F(Bildschirm, KeysChangeTheTabOnceOnRelease)
{
    taste(4, scan::D);
    EXPECT_EQ(k.systemTab, 2);
    EXPECT_EQ(w.rahmen.Tastencode, 0);
    taste(28, scan::Right);
    EXPECT_EQ(k.systemTab, 3);
    taste(1, scan::A);
    taste(27, scan::Left);
    taste(27, scan::Left);
    EXPECT_EQ(k.systemTab, 5);  // 1 back goes to 5
    taste(4, scan::D);
    EXPECT_EQ(k.systemTab, 1);  // 5 forward goes to 1
}

TEST_F(Bildschirm, ArrowsChangeTheTab)
{
    klick(330, 20);
    EXPECT_EQ(k.systemTab, 5);
    klick(690, 20);
    EXPECT_EQ(k.systemTab, 1);
    klick(343, 20);  // the border does not count
    EXPECT_EQ(k.systemTab, 1);
    EXPECT_EQ(w.rahmen.Mausereignis, 1);
}

TEST_F(Bildschirm, ResearchCategoriesAndBudget)
{
    k.systemTab = 3;
    klick(500, 75);
    EXPECT_EQ(k.forschungsKategorie, 2);
    klick(500, 100);
    EXPECT_EQ(k.forschungsKategorie, 3);
    klick(470, 170);  // minus hidden at 0
    EXPECT_EQ(etat, 0);
    for (int i = 0; i < 22; ++i) klick(550, 170);
    EXPECT_EQ(etat, 100);
    klick(470, 170);
    EXPECT_EQ(etat, 95);
    // The previous-tab arrow on tab 3 changes only the tab.
    klick(330, 20);
    EXPECT_EQ(k.systemTab, 2);
    EXPECT_EQ(k.forschungsKategorie, 3);
    EXPECT_EQ(etat, 95);
}

TEST_F(Bildschirm, CatalogueToggleOnTabFour)
{
    k.systemTab = 4;
    klick(690, 175);
    EXPECT_EQ(k.katalogOffen, 1);
    klick(690, 175);
    EXPECT_EQ(k.katalogOffen, 0);
    k.systemTab = 2;
    klick(690, 175);
    EXPECT_EQ(k.katalogOffen, 0);
}

TEST_F(Bildschirm, RightClickOnTheHangarWithASelectedShipOnlyDeselects)
{
    k.systemTab = 5;
    k.hangarSchiff = 3;
    k.hangarFlotte = 2;
    k.hangarSeite = 2;
    w.rahmen.Mausereignis = 2;
    select();
    EXPECT_EQ(w.spiel.gewaehltesSystem, s);
    EXPECT_EQ(k.hangarSchiff, 0);
    EXPECT_EQ(k.hangarFlotte, 0);
    EXPECT_EQ(k.hangarSeite, 2);
    w.rahmen.Mausereignis = 2;
    select();
    EXPECT_EQ(w.spiel.gewaehltesSystem, 0);
    EXPECT_EQ(k.systemTab, 1);
    EXPECT_EQ(k.hangarSeite, 1);
    EXPECT_EQ(w.rahmen.Mausereignis, 0);
}

TEST_F(Bildschirm, ClosingKeepsCategoryBudgetAndCatalogue)
{
    k.systemTab = 3;
    k.forschungsKategorie = 2;
    etat = 40;
    k.katalogOffen = 1;
    w.rahmen.Mausereignis = 2;
    select();
    EXPECT_EQ(w.spiel.gewaehltesSystem, 0);
    EXPECT_EQ(k.forschungsKategorie, 2);
    EXPECT_EQ(etat, 40);
    EXPECT_EQ(k.katalogOffen, 1);
}

class Statistik : public Bildschirm {
protected:
    void stats()
    {
        clear(w.rahmen.screen());
        SUB_STERNSYSTEM_STATS(w.rahmen, sys, s, w.spiel.Sternanzahl);
    }
    bool weissIn(int x0, int y0, int breite)
    {
        for (int y = y0; y < y0 + 16; ++y)
            for (int x = x0; x < x0 + breite; ++x)
                if (w.pixel(x, y) == 0xFFFFFFFFu) return true;
        return false;
    }
};

TEST_F(Statistik, TradingPostButtonMakesAHub)
{
    sys.handelsposten(s) = 7;  // trading through another hub still offers the button
    stats();
    EXPECT_TRUE(weissIn(405, 51, 17 * 8));
    w.linksklick(500, 60);
    stats();
    EXPECT_EQ(sys.handelsposten(s), -42);
    EXPECT_EQ(w.rahmen.Mausereignis, 0);
    EXPECT_TRUE(weissIn(335, 40, 40 * 8));  // "Keine Planeten in Reichweite ..."
}

TEST_F(Statistik, HomePlanetOffersNoTradingPost)
{
    sys.typ(s) = 42;
    w.linksklick(500, 60);
    stats();
    EXPECT_EQ(sys.handelsposten(s), 0);
    EXPECT_FALSE(weissIn(405, 51, 17 * 8));
}

TEST_F(Statistik, HubCountsItsLinkedSystems)
{
    sys.handelsposten(s) = -42;
    for (int j : {1, 2, 3}) sys.handelsposten(j) = s;
    stats();
    // "Handelt mit: 3 Planeten. (+ 60G)" is 32 characters long.
    int rechts = 0;
    for (int y = 40; y < 56; ++y)
        for (int x = 335; x < 335 + 60 * 8; ++x)
            if (w.pixel(x, y) == 0xFFFFFFFFu) rechts = std::max(rechts, x);
    EXPECT_GE(rechts, 335 + 31 * 8);
    EXPECT_LT(rechts, 335 + 32 * 8);
}

class Besuch : public Bildschirm {
protected:
    int kolonieschiff = 0;
    void SetUp() override
    {
        Bildschirm::SetUp();
        sys.besitzer(s) = 0;
        sys.einwohnerBasis(s) = 80;
        sys.versorgungBasis(s) = 3;
        sys.forschungBasis(s) = 5;
        sys.handelBasis(s) = 40;
        sys.werftBasis(s) = 9;
        testwelt::Schiffsdaten d;
        d.typ = 1;
        d.ort = s;
        kolonieschiff = w.neuesSchiff(d);
    }
    void besuch()
    {
        clear(w.rahmen.screen());
        SUB_STERNSYSTEM_BESUCHT(w.rahmen, sys, s, 1, w.satz(), kolonieschiff, w.spiel.gewaehltesSystem, neuzeichnen);
    }
};

TEST_F(Besuch, ColonisingUsesUpTheShipAndStartsTheValues)
{
    w.linksklick(400, 150);
    besuch();
    EXPECT_EQ(sys.besitzer(s), 1);
    EXPECT_EQ(w.satz()[kTyp](1), "0");
    EXPECT_EQ(kolonieschiff, 0);
    EXPECT_EQ(neuzeichnen, 1);
    EXPECT_EQ(sys.einwohner(s), 15);
    EXPECT_EQ(sys.versorgung(s), 3);
    EXPECT_EQ(sys.forschung(s), 5);
    EXPECT_EQ(sys.handel(s), 5);
    EXPECT_EQ(sys.werft(s), 5);
    EXPECT_EQ(sys.einwohnerMax(s), 80);
    EXPECT_EQ(sys.versorgungMax(s), 3);
    EXPECT_EQ(sys.handelMax(s), 40);
}

TEST_F(Besuch, SmallPopulationBaseStartsAtItsBase)
{
    sys.einwohnerBasis(s) = 12;
    w.linksklick(400, 150);
    besuch();
    EXPECT_EQ(sys.einwohner(s), 12);
}

TEST_F(Besuch, NoOfferWithoutAColonyShip)
{
    kolonieschiff = 0;
    w.linksklick(400, 150);
    besuch();
    EXPECT_EQ(sys.besitzer(s), 0);
    EXPECT_EQ(w.rahmen.Mausereignis, 1);
}

TEST_F(Besuch, RightClickCloses)
{
    w.rahmen.Mausereignis = 2;
    besuch();
    EXPECT_EQ(w.spiel.gewaehltesSystem, 0);
    EXPECT_EQ(kolonieschiff, 0);
    EXPECT_EQ(w.rahmen.Mausereignis, 0);
}

}  // namespace
}  // namespace qz

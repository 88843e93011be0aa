// Trade and scanner discovery: strict radius and reach, links never dropped by distance, the
// trade list pairs, the redraw counter, and the multiplayer agreements.
#include "systems/handel.hpp"
#include "tests/systems/test_welt.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

class Handel : public ::testing::Test {
protected:
    testwelt::Welt w;
    Sternsysteme& sys = w.spiel.systeme;
    std::string liste;
    int neu = 0;

    void SetUp() override
    {
        w.spiel.Sternanzahl = 6;
        w.system(1, 1000, 1000, 1, 1);
        sys.handelsposten(1) = -42;
        sys.handel(1) = 30;
    }
    void tag(int l5 = 0, int l6 = 0)
    {
        liste.clear();
        SUB_HANDELSABKOMMEN_BERECHNUNG(1, liste, l5, l6, sys.entdecker, sys.besitzer, sys.pos, sys.handel,
                                       sys.handelsposten, w.spiel.Sternanzahl, neu);
    }
};

TEST_F(Handel, ReachIsStrict)
{
    w.system(2, 1029, 1000, 1, 1);
    w.system(3, 1000, 1030, 1, 1);
    tag();
    EXPECT_EQ(sys.handelsposten(2), 1);
    EXPECT_EQ(sys.handelsposten(3), 0);
    EXPECT_EQ(neu, 3);
}

TEST_F(Handel, DistanceIsRoundedHalvesToEven)
{
    // (17, 21) apart: 27.02 pixels, which counts as 27.
    w.system(2, 1017, 1021, 1, 1);
    tag();
    EXPECT_EQ(sys.handelsposten(2), 1);
    EXPECT_EQ(systemAbstand(sys.pos, 1, 2), 27);
}

TEST_F(Handel, HandelsmarktExtendsTheReach)
{
    w.system(3, 1000, 1030, 1, 1);
    tag(0, 1);
    EXPECT_EQ(sys.handelsposten(3), 1);
}

TEST_F(Handel, OnlyOwnUnlinkedSystemsAndNeverAnotherHub)
{
    w.system(2, 1010, 1000, 0, 1);   // nobody's
    w.system(3, 1000, 1010, 1, 1);
    sys.handelsposten(3) = 5;        // already trades with hub 5
    w.system(4, 990, 1000, 1, 1);
    sys.handelsposten(4) = -42;      // a hub itself
    tag();
    EXPECT_EQ(sys.handelsposten(2), 0);
    EXPECT_EQ(sys.handelsposten(3), 5);
    EXPECT_EQ(sys.handelsposten(4), -42);
    EXPECT_EQ(neu, 0);
}

TEST_F(Handel, LinksStayWhenTheReachShrinksAndArePairedInTheList)
{
    w.system(2, 1020, 1000, 1, 1);
    w.system(3, 1000, 1020, 1, 1);
    tag();
    EXPECT_EQ(liste, ",1,2,1,3");  // listed on the day they are made, so their lines are drawn
    neu = 0;
    sys.handel(1) = 5;
    tag();
    EXPECT_EQ(sys.handelsposten(2), 1);
    EXPECT_EQ(sys.handelsposten(3), 1);
    EXPECT_EQ(liste, ",1,2,1,3");
    EXPECT_EQ(neu, 0);
}

TEST_F(Handel, LinkedSystemsOfAnotherOwnerAreNotListed)
{
    w.system(2, 1020, 1000, 2, 1);
    sys.handelsposten(2) = 1;
    tag();
    EXPECT_EQ(liste, "");
    EXPECT_EQ(sys.handelsposten(2), 1);
}

TEST_F(Handel, ScannerDiscoversStrictlyInsideItsRadius)
{
    w.system(2, 1044, 1000, 0, 0);  // 44 < 45
    w.system(3, 1000, 1045, 0, 0);  // 45, not inside
    w.system(4, 1001, 1001, 0, 3);  // discovered by another player already
    tag(0);
    EXPECT_EQ(sys.entdecker(2), 0);
    tag(1);
    EXPECT_EQ(sys.entdecker(2), 1);
    EXPECT_EQ(sys.entdecker(3), 0);
    EXPECT_EQ(sys.entdecker(4), 3);
}

TEST_F(Handel, ScannerWorksAroundEveryOwnSystemNotOnlyHubs)
{
    w.system(2, 2000, 2000, 1, 1);
    w.system(3, 2030, 2000, 0, 0);
    tag(1);
    EXPECT_EQ(sys.entdecker(3), 1);
}

class MehrspielerHandel : public Handel {
protected:
    Feld<int> abkommen{1, 4, 0};
    void mpTag()
    {
        liste.clear();
        SUB_MP_HANDELSABKOMMEN_BERECHNUNG(1, 3, liste, abkommen, 0, 0, sys.entdecker, sys.besitzer, sys.pos, sys.handel,
                                          sys.handelsposten, w.spiel.Sternanzahl, neu);
    }
};

TEST_F(MehrspielerHandel, PartnersAreLinkedOnlyWithAnAgreementInForce)
{
    w.system(2, 1010, 1000, 2, 2);
    abkommen(2) = 1;
    mpTag();
    EXPECT_EQ(sys.handelsposten(2), 0);
    abkommen(2) = 2;
    mpTag();
    EXPECT_EQ(sys.handelsposten(2), 1);
    EXPECT_EQ(liste, ",1,2");
    mpTag();
    EXPECT_EQ(liste, ",1,2");
}

TEST_F(MehrspielerHandel, AnEndedAgreementDropsTheLinksToOwnHubs)
{
    w.system(2, 1010, 1000, 2, 2);
    w.system(3, 1300, 1000, 2, 2);
    sys.handelsposten(2) = 1;
    sys.handelsposten(3) = 5;  // linked to a hub that is not ours: not ours to drop
    abkommen(2) = 1;
    mpTag();
    EXPECT_EQ(sys.handelsposten(2), 1);
    abkommen(2) = 0;
    neu = 0;
    mpTag();
    EXPECT_EQ(sys.handelsposten(2), 0);
    EXPECT_EQ(sys.handelsposten(3), 5);
    EXPECT_EQ(neu, 3);
    EXPECT_EQ(liste, "");
}

}  // namespace
}  // namespace qz

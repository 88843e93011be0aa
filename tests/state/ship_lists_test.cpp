// Join and cut of the thirteen ship lists.
#include "state/schiffslisten.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

std::array<long long, kSchiffsfelder> ship(long long typ, long long base)
{
    std::array<long long, kSchiffsfelder> v{};
    v[kTyp] = typ;
    for (int f = 1; f < kSchiffsfelder; ++f) v[f] = base + f;
    return v;
}

TEST(ShipLists, EmptyMasterListsCutToCountZero)
{
    SchiffListen listen;
    SchiffSatz satz;
    schiffeSchneiden(listen, satz);
    EXPECT_EQ(satz.anzahl, 0);
    EXPECT_EQ(satz[kTyp](0), "");
    EXPECT_THROW(satz[kTyp](1), LaufzeitFehler);
}

TEST(ShipLists, AppendedShipsAppearAtOneToNAfterTheNextCut)
{
    SchiffListen listen;
    schiffAnhaengen(listen, ship(1, 100));
    schiffAnhaengen(listen, ship(7, -200));
    EXPECT_EQ(listen[kTyp], ",1,7");
    EXPECT_EQ(listen[kRoute], ",112,-188");
    SchiffSatz satz;
    schiffeSchneiden(listen, satz);
    EXPECT_EQ(satz.anzahl, 2);
    EXPECT_EQ(satz.wert(kTyp, 2), 7);
    EXPECT_EQ(satz.wert(kHuelle, 1), 101);
}

TEST(ShipLists, JoinDropsDeletedShipsAndLaterShipsMoveDown)
{
    SchiffListen listen;
    for (int t : {3, 4, 5}) schiffAnhaengen(listen, ship(t, t * 10));
    SchiffSatz satz;
    schiffeSchneiden(listen, satz);
    satz.setze(kTyp, 2, 0);
    schiffeVerbinden(satz, listen);
    EXPECT_EQ(listen[kTyp], ",3,5");
    EXPECT_EQ(listen[kFlotte], ",41,61");
    schiffeSchneiden(listen, satz);
    EXPECT_EQ(satz.anzahl, 2);
    EXPECT_EQ(satz.wert(kX, 2), 56);
}

TEST(ShipLists, NonNumericTypeReadsAsZeroAndIsDropped)
{
    SchiffListen listen;
    schiffAnhaengen(listen, ship(2, 0));
    schiffAnhaengen(listen, ship(2, 0));
    SchiffSatz satz;
    schiffeSchneiden(listen, satz);
    satz[kTyp](1) = "abc";
    satz[kTyp](2) = "0.4";
    schiffeVerbinden(satz, listen);
    EXPECT_EQ(listen[kTyp], "");
    EXPECT_EQ(listen[kRoute], "");
}

TEST(ShipLists, RoundTripKeepsEveryValueText)
{
    SchiffListen listen;
    for (int i = 1; i <= 50; ++i) schiffAnhaengen(listen, ship(1 + i % 8, i * 1000));
    SchiffListen before = listen;
    SchiffSatz satz;
    schiffeSchneiden(listen, satz);
    schiffeVerbinden(satz, listen);
    EXPECT_EQ(listen.liste, before.liste);
}

TEST(ShipLists, ListsOfUnequalLengthEndTheJoinWithAnIndexError)
{
    SchiffListen listen;
    schiffAnhaengen(listen, ship(1, 0));
    schiffAnhaengen(listen, ship(1, 0));
    listen[kRoute] = ",9";  // one value short, as a broken reply could leave it
    SchiffSatz satz;
    schiffeSchneiden(listen, satz);
    EXPECT_EQ(satz.anzahl, 1);  // the last list cut decides the count
    listen[kRoute] = ",9,9";
    listen[kTyp] = ",1";
    schiffeSchneiden(listen, satz);
    EXPECT_EQ(satz.anzahl, 2);
    EXPECT_THROW(schiffeVerbinden(satz, listen), LaufzeitFehler);
}

}  // namespace
}  // namespace qz

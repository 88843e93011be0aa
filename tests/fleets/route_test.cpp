// The route computation: digit order, arrival, targets outside the map, and the proof that the
// direct rasterisation gives exactly the digits of the scratch-image method.
#include "fleets/route.hpp"
#include "tests/fleets/route_referenz.hpp"

#include <gtest/gtest.h>

#include <random>

namespace qz {
namespace {

// Runs the whole route from corner (cx, cy) to centre target (tx, ty) with the game's step.
std::string ganzeRoute(int cx, int cy, int tx, int ty, int breite = 2560, int hoehe = 1600)
{
    int status = 1;
    std::string route;
    for (int i = 0; i < 20000 && status == 1; ++i) routenSchritt(status, breite, hoehe, cx, cy, tx, ty, route);
    return route;
}

TEST(Route, StraightNorthIsOnesEndingInNine)
{
    // Icon corner (100, 200): centre (116, 216); a target 40 pixels straight north.
    EXPECT_EQ(ganzeRoute(100, 200, 116, 176), std::string(40, '1') + "9");
}

TEST(Route, EachAxisHasItsDigit)
{
    EXPECT_EQ(ganzeRoute(100, 200, 121, 216), "222229");
    EXPECT_EQ(ganzeRoute(100, 200, 116, 219), "3339");
    EXPECT_EQ(ganzeRoute(100, 200, 114, 216), "449");
}

TEST(Route, FortyFiveDegreesGivesEqualDiagonalDigits)
{
    EXPECT_EQ(ganzeRoute(100, 200, 126, 206), std::string(10, '5') + "9");
    EXPECT_EQ(ganzeRoute(100, 200, 126, 226), std::string(10, '6') + "9");
    EXPECT_EQ(ganzeRoute(100, 200, 106, 226), std::string(10, '7') + "9");
    EXPECT_EQ(ganzeRoute(100, 200, 106, 206), std::string(10, '8') + "9");
}

TEST(Route, ArrivalWhenTheCentreIsOnTheTarget)
{
    int status = 1, cx = 50, cy = 60;
    std::string route = "12";
    EXPECT_EQ(routenSchritt(status, 2560, 1600, cx, cy, 66, 76, route), '9');
    EXPECT_EQ(status, 2);
    EXPECT_EQ(route, "129");
    EXPECT_EQ(cx, 50);
    EXPECT_EQ(cy, 60);
}

TEST(Route, EndsWithTheIconCornerSixteenBeforeTheTarget)
{
    int status = 1, cx = 300, cy = 400;
    std::string route;
    while (status == 1) routenSchritt(status, 2560, 1600, cx, cy, 517, 333, route);
    EXPECT_EQ(cx, 501);
    EXPECT_EQ(cy, 317);
    EXPECT_EQ(route.back(), '9');
    EXPECT_EQ(route.find('9'), route.size() - 1);
}

TEST(Route, TargetOutsideTheMapIsStillReached)
{
    // Off the map the line leaves no pixels; the axis rules walk on toward the target.
    const std::string route = ganzeRoute(10, 10, -40, -25);
    EXPECT_EQ(route.back(), '9');
    int x = 26, y = 26;
    for (char c : route) {
        const Richtung r = richtungVon(c);
        x += r.dx;
        y += r.dy;
    }
    EXPECT_EQ(x, -40);
    EXPECT_EQ(y, -25);
}

TEST(Route, EmptyMapIsAnErrorOfTheRoutineOnly)
{
    int status = 1, cx = 0, cy = 0;
    std::string route;
    SUB_FLOTTEN_WEG_BERECHNUNG(status, 0, 1600, cx, cy, 100, 100, route);
    EXPECT_EQ(route, "");
    EXPECT_EQ(status, 1);
}

TEST(Route, DirectMethodMatchesTheScratchImageStepByStep)
{
    // Small maps keep the reference fast; targets and starts reach well outside them.
    std::mt19937 rng(20261207);
    const int breite = 120, hoehe = 90;
    std::uniform_int_distribution<int> px(-60, breite + 40), py(-60, hoehe + 40);
    int schritte = 0;
    for (int fall = 0; fall < 400; ++fall) {
        int cx = px(rng) - 16, cy = py(rng) - 16;
        const int tx = px(rng), ty = py(rng);
        int rx = cx, ry = cy, status = 1, rstatus = 1;
        std::string route, rroute;
        for (int i = 0; i < 1000 && status == 1; ++i, ++schritte) {
            routenSchritt(status, breite, hoehe, cx, cy, tx, ty, route);
            referenz::routenSchritt(rstatus, breite, hoehe, rx, ry, tx, ty, rroute);
            ASSERT_EQ(route, rroute) << "start case " << fall << " target " << tx << "," << ty;
            ASSERT_EQ(cx, rx);
            ASSERT_EQ(cy, ry);
            ASSERT_EQ(status, rstatus);
        }
        EXPECT_EQ(status, 2);
    }
    EXPECT_GT(schritte, 10000);
}

TEST(Route, DirectMethodMatchesOnTheFullMap)
{
    // Short routes: each step of the reference fills a whole map-sized image.
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> px(-100, 2660), py(-100, 1700), kurz(-20, 20);
    for (int fall = 0; fall < 24; ++fall) {
        int cx = px(rng), cy = py(rng);
        const int tx = cx + 16 + kurz(rng), ty = cy + 16 + kurz(rng);
        int rx = cx, ry = cy, status = 1, rstatus = 1;
        std::string route, rroute;
        while (status == 1) {
            routenSchritt(status, 2560, 1600, cx, cy, tx, ty, route);
            referenz::routenSchritt(rstatus, 2560, 1600, rx, ry, tx, ty, rroute);
            ASSERT_EQ(route, rroute);
        }
        EXPECT_EQ(rstatus, 2);
    }
}

}  // namespace
}  // namespace qz

#include "assets/interface_pictures.hpp"

#include "assets/interface_style.hpp"
#include "assets/rng.hpp"

#include <cmath>
#include <stdexcept>
#include <vector>

namespace qz::assets {

namespace {

constexpr std::array<InterfacePicture, kInterfacePictureCount> kPictures{{
    {1, 400, 200, "star-system panel at (312, 0): name and defence bar, planet window, value rows"},
    {2, 400, 400, "lower panel: research rows, ship catalogue, hangar and fleet lists"},
    {3, 20, 20, "arrow left: decrease a value, previous tab"},
    {4, 20, 20, "arrow right: increase a value, next tab"},
    {5, 234, 30, "value bar and category button of the system screen"},
    {6, 20, 20, "open the ship catalogue"},
    {7, 20, 20, "close the ship catalogue"},
    {8, 32, 32, "switch off (research topic, fleet create)"},
    {9, 32, 32, "switch on (research topic, fleet delete)"},
    {10, 302, 38, "progress frame of research rows and build slots"},
    {11, 156, 25, "wide button"},
    {12, 180, 45, "ship cell, ship on the left"},
    {13, 180, 45, "ship cell, ship on the right"},
    {14, 196, 40, "hangar action button (create fleet, undock)"},
    {15, 196, 40, "hangar danger button (delete fleet)"},
    {16, 20, 20, "page arrow: next page"},
    {17, 20, 20, "page arrow: previous page"},
    {18, 120, 30, "small button and value field"},
    {19, 400, 400, "menu panel at (312, 184)"},
    {20, 136, 44, "fleet composition slot of the status bar"},
    {21, 300, 39, "channel list row"},
    {22, 132, 25, "dock button background of the status bar"},
    {23, 147, 400, "fleet list panel (drawn half transparent)"},
}};

std::uint32_t seedOf(int number) { return static_cast<std::uint32_t>(seedFor(1, static_cast<std::uint64_t>(number))); }

Box whole(const Canvas& c) { return {0.0, 0.0, static_cast<double>(c.width()), static_cast<double>(c.height())}; }

// A large panel: metal frame with rivets, a glass interior, and glowing corner brackets
// where no screen writes into the corners.
void paintPanel(Canvas& c, std::uint32_t seed, bool brackets = true)
{
    const Box box = whole(c);
    constexpr double kBorder = 11.0;
    paintFramedGlass(c, box, 16.0, kBorder, kGlowCyan, seed);
    for (const Point p :
         {Point{5.5, 28}, Point{box.w - 5.5, 28}, Point{5.5, box.h - 28}, Point{box.w - 5.5, box.h - 28}}) {
        paintRivet(c, p.x, p.y);
    }
    // Corner brackets: short bright strokes along the glass corners.
    const double inner = kBorder + 4.0, arm = std::min(26.0, box.h / 6.0);
    for (const double sx : brackets ? std::vector<double>{0.0, 1.0} : std::vector<double>{}) {
        for (const double sy : {0.0, 1.0}) {
            const double x = sx == 0.0 ? inner : box.w - inner, y = sy == 0.0 ? inner : box.h - inner;
            const double dx = sx == 0.0 ? 1.0 : -1.0, dy = sy == 0.0 ? 1.0 : -1.0;
            const std::vector<Point> bracket{{x, y + dy * arm}, {x, y + dy * 4}, {x + dx * 4, y}, {x + dx * arm, y},
                                             {x + dx * arm, y + dy * 1.5}, {x + dx * 4.6, y + dy * 1.5},
                                             {x + dx * 1.5, y + dy * 4.6}, {x + dx * 1.5, y + dy * arm}};
            paintGlowShape(
                c, {std::min(x, x + dx * arm), std::min(y, y + dy * arm), arm, arm},
                [&](double px, double py) { return polygonDistance(px, py, bracket); }, kGlowCyan * 0.8, 1.5);
        }
    }
    // Faint scan lines of the glass, too weak to disturb text.
    for (int y = 12; y < c.height() - 12; y += 3) {
        for (int x = 12; x < c.width() - 12; ++x) c.at(x, y) = c.at(x, y) * 1.07;
    }
}

void paintSmallButton(Canvas& c, const Rgb& glow, std::uint32_t seed)
{
    paintFramedGlass(c, whole(c), 5.0, 3.0, glow, seed);
}

// A 20 x 20 button with a glowing symbol given as polygons in a 20 x 20 square.
void paintIconButton(Canvas& c, const std::vector<std::vector<Point>>& symbol, const Rgb& glow, std::uint32_t seed)
{
    paintMetal(c, whole(c), 4.0, seed);
    paintInset(c, {2, 2, 16, 16}, 3.0, kGlassDeep);
    for (const auto& polygon : symbol) {
        paintGlowShape(
            c, {3, 3, 14, 14}, [&](double x, double y) { return polygonDistance(x, y, polygon); }, glow, 1.3);
    }
}

std::vector<Point> triangle(bool right, double cx)
{
    return right ? std::vector<Point>{{cx - 3.5, 5}, {cx + 4.0, 10}, {cx - 3.5, 15}}
                 : std::vector<Point>{{cx + 3.5, 5}, {cx - 4.0, 10}, {cx + 3.5, 15}};
}

std::vector<Point> chevron(bool right, double cx)
{
    const double s = right ? 1.0 : -1.0;
    return {{cx - 2.5 * s, 5}, {cx + 2.5 * s, 10}, {cx - 2.5 * s, 15}, {cx - 4.5 * s, 15}, {cx + 0.5 * s, 10},
            {cx - 4.5 * s, 5}};
}

std::vector<Point> verticalChevron(bool down)
{
    const double s = down ? 1.0 : -1.0;
    return {{5, 10 - 2.5 * s}, {10, 10 + 2.5 * s}, {15, 10 - 2.5 * s}, {15, 10 - 4.5 * s}, {10, 10 + 0.5 * s},
            {5, 10 - 4.5 * s}};
}

// Round lamp switch: a metal socket with a lens that glows when on.
void paintSwitch(Canvas& c, bool on, std::uint32_t seed)
{
    paintMetal(c, whole(c), 6.0, seed);
    const Rgb lens = on ? kGlowGreen : rgb255(110, 24, 20);
    forEachPixelNear(c, {4, 4, 24, 24}, 2.0, [&](int x, int y) {
        const double px = x + 0.5, py = y + 0.5;
        const double ring = circleDistance(px, py, 16, 16, 11.5);
        c.blend(x, y, rgb255(14, 16, 22), coverage(ring));
        const double d = circleDistance(px, py, 16, 16, 8.5);
        const double cov = coverage(d);
        if (cov > 0.0) {
            const double r = std::hypot(px - 14.0, py - 14.0) / 10.0;
            const Rgb centre = on ? mix(lens, rgb255(235, 255, 235), 0.6) : lens * 1.3;
            c.blend(x, y, mix(centre, lens * (on ? 0.75 : 0.45), std::min(r, 1.0)), cov);
        }
        if (on && d > 0.0 && ring < 0.0) c.add(x, y, lens * (0.5 * std::exp(-d / 1.6)));
    });
}

// A recessed square bay that holds a 32 x 32 ship picture.
void paintBay(Canvas& c, double x, double y)
{
    paintInset(c, {x, y, 36, 36}, 4.0, rgb255(6, 9, 14));
    paintGlowEdge(c, {x, y, 36, 36}, 4.0, kGlowCyan, 0.6, 0.35);
}

void paintSystemPanel(Canvas& c, std::uint32_t seed)
{
    // No corner brackets: the build counter and the value rows reach into the corners.
    paintPanel(c, seed, false);
    // Header groove behind the system name and the defence bar (bar spans x 124..275, y 4..21).
    paintInset(c, {40, 2, 320, 22}, 6.0, rgb255(6, 9, 15));
    paintGlowEdge(c, {40, 2, 320, 22}, 6.0, kGlowCyan, 0.6, 0.4);
    // Window for the planet picture (100 x 80 at (23, 54)): pure black inside.
    paintInset(c, {19, 50, 108, 88}, 6.0, rgb255(0, 0, 0));
    paintGlowEdge(c, {19, 50, 108, 88}, 6.0, kGlowCyan, 0.6, 0.55);
    for (int y = 54; y < 134; ++y) {
        for (int x = 23; x < 123; ++x) c.at(x, y) = {};
    }
}

void paintListPanel(Canvas& c, std::uint32_t seed)
{
    paintPanel(c, seed);
    // A faint grid on the glass, like a plotting table.
    for (int y = 10; y < c.height() - 10; ++y) {
        for (int x = 10; x < c.width() - 10; ++x) {
            if ((x - 10) % 40 == 0 || (y - 10) % 40 == 0) c.add(x, y, kGlowCyan * 0.025);
        }
    }
}

void paintMenuPanel(Canvas& c, std::uint32_t seed)
{
    paintPanel(c, seed);
    // A short glowing rail above the button column (the bottom stays free for page footers).
    const Rgb rail = kGlowCyan;
    for (const double y : {20.0}) {
        paintGlowShape(c, {120, y - 1, 160, 2}, [&](double px, double py) {
            return chamferBoxDistance(px, py, {120, y - 1, 160, 2}, 0.0);
        }, rail * 0.8, 2.0);
    }
}

void paintProgressFrame(Canvas& c, std::uint32_t seed)
{
    paintMetal(c, whole(c), 6.0, seed);
    paintInset(c, {5, 5, 292, 30}, 3.0, rgb255(4, 7, 12));
    paintGlowEdge(c, {5, 5, 292, 30}, 3.0, kGlowCyan, 0.6, 0.45);
}

void paintValueBar(Canvas& c, std::uint32_t seed)
{
    paintMetal(c, whole(c), 5.0, seed);
    paintInset(c, {3, 3, 228, 24}, 3.0, kGlassDeep);
    paintGlowEdge(c, {3, 3, 228, 24}, 3.0, kGlowCyan, 0.6, 0.4);
}

void paintShipCell(Canvas& c, bool bayRight, std::uint32_t seed)
{
    paintFramedGlass(c, whole(c), 6.0, 3.0, kGlowCyan, seed);
    paintBay(c, bayRight ? 139.0 : 5.0, 4.5);
}

void paintHangarButton(Canvas& c, const Rgb& glow, std::uint32_t seed)
{
    paintFramedGlass(c, whole(c), 7.0, 3.0, glow, seed);
    paintInset(c, {3, 3, 34, 34}, 4.0, rgb255(6, 9, 14));
}

void paintCompositionSlot(Canvas& c, std::uint32_t seed)
{
    paintFramedGlass(c, whole(c), 6.0, 3.0, kGlowCyan, seed);
    paintBay(c, 4.0, 4.0);
}

}  // namespace

const std::array<InterfacePicture, kInterfacePictureCount>& interfacePictures() { return kPictures; }

Canvas paintInterfacePicture(int number)
{
    if (number < 1 || number > kInterfacePictureCount) throw std::out_of_range("no such interface picture");
    const InterfacePicture& info = kPictures[static_cast<std::size_t>(number - 1)];
    const bool largePanel = number == 1 || number == 2 || number == 19 || number == 23;
    Canvas c(info.width, info.height, largePanel ? Rgb{} : kPanelGround);
    const std::uint32_t seed = seedOf(number);
    switch (number) {
    case 1: paintSystemPanel(c, seed); break;
    case 2: paintListPanel(c, seed); break;
    case 3: paintIconButton(c, {triangle(false, 10)}, kGlowCyan, seed); break;
    case 4: paintIconButton(c, {triangle(true, 10)}, kGlowCyan, seed); break;
    case 5: paintValueBar(c, seed); break;
    case 6: paintIconButton(c, {verticalChevron(true)}, kGlowAmber, seed); break;
    case 7: paintIconButton(c, {verticalChevron(false)}, kGlowAmber, seed); break;
    case 8: paintSwitch(c, false, seed); break;
    case 9: paintSwitch(c, true, seed); break;
    case 10: paintProgressFrame(c, seed); break;
    case 11: paintSmallButton(c, kGlowCyan, seed); break;
    case 12: paintShipCell(c, false, seed); break;
    case 13: paintShipCell(c, true, seed); break;
    case 14: paintHangarButton(c, kGlowCyan, seed); break;
    case 15: paintHangarButton(c, kGlowRed, seed); break;
    case 16: paintIconButton(c, {chevron(true, 8), chevron(true, 13)}, kGlowCyan, seed); break;
    case 17: paintIconButton(c, {chevron(false, 12), chevron(false, 7)}, kGlowCyan, seed); break;
    case 18: paintSmallButton(c, kGlowCyan, seed); break;
    case 19: paintMenuPanel(c, seed); break;
    case 20: paintCompositionSlot(c, seed); break;
    case 21: paintSmallButton(c, kGlowCyan * 0.8, seed); break;
    case 22: paintSmallButton(c, kGlowAmber, seed); break;
    case 23: paintPanel(c, seed); break;
    }
    return c;
}

}  // namespace qz::assets

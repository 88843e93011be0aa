#include "assets/interface_style.hpp"

#include "assets/noise.hpp"

#include <algorithm>
#include <cmath>

namespace qz::assets {

namespace {

// Outward normal of a chamfered box at a point, from the distance field; dot with the light
// direction (from the top left) gives how much an edge faces the light.
double facingLight(double px, double py, const Box& box, double chamfer)
{
    const double gx = chamferBoxDistance(px + 0.5, py, box, chamfer) - chamferBoxDistance(px - 0.5, py, box, chamfer);
    const double gy = chamferBoxDistance(px, py + 0.5, box, chamfer) - chamferBoxDistance(px, py - 0.5, box, chamfer);
    const double len = std::hypot(gx, gy);
    if (len < 1e-9) return 0.0;
    return (-gx - gy) * 0.70710678 / len;
}

}  // namespace

void paintMetal(Canvas& canvas, const Box& box, double chamfer, std::uint32_t seed)
{
    const Rgb top = rgb255(66, 73, 86), bottom = rgb255(34, 38, 48);
    forEachPixelNear(canvas, box, 1.0, [&](int x, int y) {
        const double px = x + 0.5, py = y + 0.5;
        const double d = chamferBoxDistance(px, py, box, chamfer);
        const double cov = coverage(d);
        if (cov <= 0.0) return;
        const double t = std::clamp((py - box.y) / box.h, 0.0, 1.0);
        // Brushed grain: long horizontal streaks plus a finer scratch layer.
        const double grain =
            1.0 + 0.08 * noise2(px * 0.012, py * 0.9, seed) + 0.04 * noise2(px * 0.25, py * 1.9, seed + 7);
        Rgb c = mix(top, bottom, t) * grain;
        const double depth = -d;
        if (depth < 3.0) {
            const double face = facingLight(px, py, box, chamfer);
            const double edge = 1.0 - depth / 3.0;
            c = face > 0.0 ? mix(c, rgb255(150, 160, 176), 0.55 * face * edge) : c * (1.0 + 0.6 * face * edge);
        }
        canvas.blend(x, y, c, cov);
    });
}

void paintGlowEdge(Canvas& canvas, const Box& box, double chamfer, const Rgb& glow, double inset, double strength)
{
    forEachPixelNear(canvas, box, 4.0, [&](int x, int y) {
        const double d = chamferBoxDistance(x + 0.5, y + 0.5, box, chamfer) + inset;
        const double core = std::exp(-d * d / (2.0 * 0.45 * 0.45));
        const double halo = 0.28 * std::exp(-std::fabs(d) / 1.8);
        const double amount = (core + halo) * strength;
        if (amount > 0.002) canvas.add(x, y, glow * amount);
    });
}

void paintInset(Canvas& canvas, const Box& box, double chamfer, const Rgb& deep)
{
    forEachPixelNear(canvas, box, 1.0, [&](int x, int y) {
        const double px = x + 0.5, py = y + 0.5;
        const double d = chamferBoxDistance(px, py, box, chamfer);
        const double cov = coverage(d);
        if (cov <= 0.0) return;
        const double t = std::clamp((py - box.y) / box.h, 0.0, 1.0);
        Rgb c = deep * (1.25 - 0.4 * t);
        const double depth = -d;
        if (depth < 4.0) {
            const double face = facingLight(px, py, box, chamfer);
            if (face > 0.0) {
                c = c * (1.0 - 0.6 * face * (1.0 - depth / 4.0));
            } else if (depth < 1.5) {
                c = mix(c, rgb255(90, 104, 124), -face * 0.5 * (1.0 - depth / 1.5));
            }
        }
        canvas.blend(x, y, c, cov);
    });
}

void paintGlowShape(Canvas& canvas, const Box& bounds, const std::function<double(double, double)>& distance,
                    const Rgb& colour, double halo)
{
    forEachPixelNear(canvas, bounds, halo * 3.0, [&](int x, int y) {
        const double d = distance(x + 0.5, y + 0.5);
        const double cov = coverage(d);
        if (cov > 0.0) {
            // A bright centre line inside the shape makes it read as lit from within.
            const Rgb core = mix(colour, rgb255(255, 255, 255), std::clamp(-d / 4.0, 0.0, 0.45));
            canvas.blend(x, y, core, cov);
        }
        if (d > 0.0 && halo > 0.0) canvas.add(x, y, colour * (0.45 * std::exp(-d / halo)));
    });
}

void paintRivet(Canvas& canvas, double cx, double cy)
{
    const Box bounds{cx - 2.0, cy - 2.0, 4.0, 4.0};
    forEachPixelNear(canvas, bounds, 1.0, [&](int x, int y) {
        const double px = x + 0.5, py = y + 0.5;
        const double d = circleDistance(px, py, cx, cy, 1.6);
        const double cov = coverage(d);
        if (cov <= 0.0) return;
        const double lit = std::clamp(0.5 - ((px - cx) + (py - cy)) * 0.35, 0.0, 1.0);
        canvas.blend(x, y, mix(rgb255(28, 31, 38), rgb255(170, 178, 190), lit), cov);
    });
}

void paintFramedGlass(Canvas& canvas, const Box& box, double chamfer, double border, const Rgb& glow,
                      std::uint32_t seed)
{
    paintMetal(canvas, box, chamfer, seed);
    const Box glass{box.x + border, box.y + border, box.w - 2.0 * border, box.h - 2.0 * border};
    const double innerChamfer = std::max(0.0, chamfer - border * 0.6);
    paintInset(canvas, glass, innerChamfer, kGlassDeep);
    paintGlowEdge(canvas, glass, innerChamfer, glow, 0.8, 0.75);
}

}  // namespace qz::assets

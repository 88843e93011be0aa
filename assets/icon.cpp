#include "assets/icon.hpp"

#include "assets/canvas.hpp"
#include "assets/noise.hpp"
#include "assets/shapes.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace qz::assets {

namespace {

// Every length below is in units of the icon's side (0..1), so each size shows the same icon.
constexpr double kChamfer = 0.16;
constexpr double kEdge = 0.018;
constexpr double kPlanetX = 0.40, kPlanetY = 0.60, kPlanetR = 0.27;
constexpr std::uint32_t kSeed = 0x51A7u;

struct Sample {
    Rgb colour;
    double alpha = 0.0;
};

double smooth(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// The lit home world at (u, v), or nothing outside its disc.
bool planet(double u, double v, Rgb& out)
{
    const double dx = (u - kPlanetX) / kPlanetR, dy = (v - kPlanetY) / kPlanetR;
    const double r2 = dx * dx + dy * dy;
    if (r2 >= 1.0) return false;
    const double dz = std::sqrt(1.0 - r2);
    // Light from the upper right, a little from the front.
    const double lx = 0.62, ly = -0.55, lz = 0.56;
    const double light = std::max(0.0, dx * lx + dy * ly + dz * lz);
    const double land = fbm3(dx * 2.2, dy * 2.2, dz * 2.2, 5, kSeed);
    const Rgb ocean = rgb255(22, 70, 150), shore = rgb255(40, 120, 90), hills = rgb255(96, 140, 70);
    Rgb ground = land > 0.08 ? mix(shore, hills, smooth(0.08, 0.45, land)) : ocean;
    const double clouds = smooth(0.25, 0.6, fbm3(dx * 3.0 + 7.0, dy * 5.0, dz * 3.0, 4, kSeed + 1));
    ground = mix(ground, rgb255(235, 240, 250), clouds * 0.8);
    Rgb lit = ground * (0.06 + 1.05 * light);
    // City lights on the night side of the land.
    if (land > 0.1 && light < 0.08) lit += rgb255(255, 190, 90) * (0.5 * smooth(0.1, 0.3, land) * (1.0 - light / 0.08));
    // A thin blue atmosphere along the lit rim.
    lit += rgb255(90, 160, 255) * (std::pow(1.0 - dz, 3.0) * (0.2 + light));
    out = lit;
    return true;
}

// The orbit: a tilted ellipse around the planet, hidden where it passes behind it.
double orbit(double u, double v, bool behindPlanet)
{
    const double a = 0.44, b = 0.11, tilt = -0.38;
    const double x = u - kPlanetX, y = v - kPlanetY;
    const double c = std::cos(tilt), s = std::sin(tilt);
    const double ex = (x * c + y * s) / a, ey = (-x * s + y * c) / b;
    const double d = std::fabs(std::sqrt(ex * ex + ey * ey) - 1.0) * b;
    const bool back = (-x * s + y * c) < 0.0;
    if (back && behindPlanet) return 0.0;
    return std::exp(-d * d / (2.0 * 0.006 * 0.006));
}

// The ship: a slim arrow heading to the upper right, the engine glowing behind it.
double shipDistance(double u, double v)
{
    const std::vector<Point> hull{{0.86, 0.16}, {0.70, 0.24}, {0.74, 0.28}, {0.66, 0.36}, {0.71, 0.37}, {0.78, 0.30}, {0.82, 0.34}};
    return polygonDistance(u, v, hull);
}

Sample sampleAt(double u, double v, double pixel)
{
    const double panel = chamferBoxDistance(u, v, {0.02, 0.02, 0.96, 0.96}, kChamfer);
    Sample s;
    s.alpha = coverage(panel / pixel);
    if (s.alpha <= 0.0) return s;

    // Dark space, a faint nebula and a few stars.
    const double n = fbm2(u * 3.0, v * 3.0, 4, kSeed + 2);
    Rgb c = mix(rgb255(4, 6, 18), rgb255(40, 16, 60), smooth(-0.1, 0.7, n) * 0.7);
    const double star = noise2(u * 60.0, v * 60.0, kSeed + 3);
    c += rgb255(255, 255, 255) * (smooth(0.62, 0.75, star) * 0.9);

    Rgb world;
    const bool onPlanet = planet(u, v, world);
    if (onPlanet) c = world;
    c += rgb255(120, 210, 255) * (0.9 * orbit(u, v, onPlanet));

    const double ship = coverage(shipDistance(u, v) / pixel);
    const double engine = std::exp(-((u - 0.66) * (u - 0.66) + (v - 0.38) * (v - 0.38)) / (2.0 * 0.03 * 0.03));
    c += rgb255(255, 150, 60) * (engine * 0.9);
    c = mix(c, rgb255(225, 232, 240), ship);

    // The glowing cyan edge of the game's panels, inside the outline.
    const double edge = std::exp(-std::pow((panel + kEdge) / kEdge, 2.0));
    c = mix(c, rgb255(90, 220, 255), std::min(1.0, edge * 1.1));
    s.colour = c;
    return s;
}

}  // namespace

std::vector<std::uint8_t> paintIcon(int size)
{
    if (size < 16 || size > 1024) throw std::invalid_argument("icon size out of range");
    // Four by four samples per pixel: the edges stay smooth even at 48 pixels.
    constexpr int kSub = 4;
    const double pixel = 1.0 / size;
    std::vector<std::uint8_t> out(static_cast<std::size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Rgb sum;
            double alpha = 0.0;
            for (int j = 0; j < kSub; ++j) {
                for (int i = 0; i < kSub; ++i) {
                    const Sample s = sampleAt((x + (i + 0.5) / kSub) * pixel, (y + (j + 0.5) / kSub) * pixel, pixel);
                    sum += s.colour * s.alpha;
                    alpha += s.alpha;
                }
            }
            std::uint8_t* p = &out[(static_cast<std::size_t>(y) * size + x) * 4];
            const Rgb c = alpha > 0.0 ? sum * (1.0 / alpha) : Rgb{};
            auto byte = [](double value) { return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0)); };
            p[0] = byte(c.r);
            p[1] = byte(c.g);
            p[2] = byte(c.b);
            p[3] = byte(alpha / (kSub * kSub));
        }
    }
    return out;
}

}  // namespace qz::assets

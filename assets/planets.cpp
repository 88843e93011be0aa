#include "assets/planets.hpp"

#include "assets/noise.hpp"
#include "assets/rng.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace qz::assets {

namespace {

struct Vec3 {
    double x, y, z;
};

double dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 normalised(const Vec3& v)
{
    const double len = std::sqrt(dot(v, v));
    return {v.x / len, v.y / len, v.z / len};
}

// What a point of the surface looks like: its colour, how much of it glows by itself (lava,
// city lights) and how shiny it is (water, ice).
struct Surface {
    Rgb colour;
    Rgb emission;
    double gloss = 0.0;
};

struct Crater {
    Vec3 centre;
    double radius;  // angular radius as 1 - cos
};

struct World {
    int type;
    std::uint32_t seed;
    Rgb atmosphere;
    double atmosphereStrength;
    std::vector<Crater> craters;
    std::vector<Vec3> facets;
};

constexpr std::array<const char*, 18> kKinds{
    "terran", "grey rock", "ice", "desert", "lava", "gas giant", "ocean", "jungle", "toxic",
    "red rock", "savanna", "barren moon", "crystal", "polar", "ice giant", "volcanic ash", "tundra", "home world"};

Vec3 randomDirection(Rng& rng)
{
    for (;;) {
        const Vec3 v{rng.range(-1, 1), rng.range(-1, 1), rng.range(-1, 1)};
        const double len2 = dot(v, v);
        if (len2 > 0.01 && len2 <= 1.0) return normalised(v);
    }
}

// Crater shading factor at p: dark bowls with bright rims; 1 where there is no crater.
double craterShade(const World& w, const Vec3& p)
{
    double shade = 1.0;
    for (const Crater& c : w.craters) {
        const double d = (1.0 - dot(p, c.centre)) / c.radius;
        if (d < 1.0) {
            shade *= 0.72 + 0.28 * d * d;
        } else if (d < 1.5) {
            shade *= 1.0 + 0.22 * (1.0 - std::fabs(d - 1.2) / 0.3);
        }
    }
    return shade;
}

Rgb ramp(double t, std::initializer_list<std::pair<double, Rgb>> stops)
{
    auto it = stops.begin();
    if (t <= it->first) return it->second;
    for (auto prev = it++; it != stops.end(); prev = it++) {
        if (t <= it->first) return mix(prev->second, it->second, (t - prev->first) / (it->first - prev->first));
    }
    return (stops.end() - 1)->second;
}

Surface terran(const World& w, const Vec3& p, double seaLevel, double iceLatitude, bool lush)
{
    const double h = fbm3(p.x * 1.8, p.y * 1.8, p.z * 1.8, 6, w.seed);
    Surface s;
    if (h < seaLevel) {
        s.colour =
            ramp(h - seaLevel, {{-0.6, rgb255(8, 24, 70)}, {-0.08, rgb255(18, 60, 130)}, {0.0, rgb255(40, 110, 160)}});
        s.gloss = 0.6;
    } else {
        const double e = h - seaLevel;
        s.colour = lush ? ramp(e, {{0.0, rgb255(40, 110, 40)},
                                   {0.15, rgb255(30, 90, 30)},
                                   {0.3, rgb255(110, 100, 60)},
                                   {0.45, rgb255(200, 200, 200)}})
                        : ramp(e, {{0.0, rgb255(80, 120, 50)},
                                   {0.12, rgb255(130, 120, 70)},
                                   {0.3, rgb255(120, 90, 60)},
                                   {0.45, rgb255(220, 220, 220)}});
    }
    const double lat = std::fabs(p.y) + 0.08 * fbm3(p.x * 4, p.y * 4, p.z * 4, 3, w.seed + 5);
    if (lat > iceLatitude) s.colour = mix(s.colour, rgb255(235, 242, 250), std::min(1.0, (lat - iceLatitude) * 12.0));
    const double cloud = fbm3(p.x * 2.6 + 3, p.y * 5.0, p.z * 2.6, 5, w.seed + 9);
    if (cloud > 0.08) s.colour = mix(s.colour, rgb255(245, 248, 252), std::min(0.85, (cloud - 0.08) * 3.0));
    return s;
}

Surface rocky(const World& w, const Vec3& p, const Rgb& dark, const Rgb& light, double scale)
{
    const double h = fbm3(p.x * scale, p.y * scale, p.z * scale, 6, w.seed);
    Surface s;
    s.colour = mix(dark, light, std::clamp(0.5 + h * 1.2, 0.0, 1.0)) * craterShade(w, p);
    return s;
}

Surface banded(const World& w, const Vec3& p, std::initializer_list<std::pair<double, Rgb>> bands, double turbulence)
{
    const double warp = fbm3(p.x * 3.0, p.y * 3.0, p.z * 3.0, 5, w.seed) * turbulence;
    const double lat = p.y * 3.2 + warp + 0.15 * std::sin(p.y * 23.0);
    Surface s;
    s.colour = ramp(0.5 + 0.5 * std::sin(lat * 3.1), bands);
    return s;
}

Surface surfaceAt(const World& w, const Vec3& p)
{
    switch (w.type) {
    case 1: return terran(w, p, 0.02, 0.82, false);
    case 2: return rocky(w, p, rgb255(60, 58, 56), rgb255(165, 160, 150), 2.5);
    case 3: {
        const double r = ridged3(p.x * 2.5, p.y * 2.5, p.z * 2.5, 5, w.seed);
        Surface s;
        s.colour = mix(rgb255(225, 238, 250), rgb255(90, 140, 190), std::pow(r, 6.0));
        s.gloss = 0.5;
        return s;
    }
    case 4: {
        const double dunes = std::sin((p.x * 9.0 + fbm3(p.x * 2, p.y * 2, p.z * 2, 4, w.seed) * 6.0) * 2.0);
        const double h = fbm3(p.x * 2.2, p.y * 2.2, p.z * 2.2, 5, w.seed + 3);
        Surface s;
        s.colour = ramp(0.5 + 0.35 * h + 0.1 * dunes,
                        {{0.2, rgb255(150, 95, 45)}, {0.55, rgb255(215, 165, 90)}, {0.9, rgb255(240, 215, 160)}});
        return s;
    }
    case 5: {
        const double r = ridged3(p.x * 2.2, p.y * 2.2, p.z * 2.2, 5, w.seed);
        Surface s;
        s.colour =
            mix(rgb255(30, 24, 22), rgb255(60, 40, 32), fbm3(p.x * 5, p.y * 5, p.z * 5, 3, w.seed + 1) * 0.5 + 0.5);
        const double heat = std::pow(std::clamp(r, 0.0, 1.0), 7.0);
        s.emission = ramp(heat, {{0.0, rgb255(0, 0, 0)},
                                 {0.3, rgb255(160, 30, 0)},
                                 {0.7, rgb255(255, 120, 10)},
                                 {1.0, rgb255(255, 230, 120)}});
        return s;
    }
    case 6: {
        Surface s = banded(w, p,
                           {{0.0, rgb255(150, 90, 50)},
                            {0.4, rgb255(215, 170, 120)},
                            {0.7, rgb255(240, 220, 190)},
                            {1.0, rgb255(180, 110, 60)}},
                           0.9);
        const Vec3 spot = normalised({0.35, -0.3, 0.88});
        const double d = (1.0 - dot(p, spot)) / 0.02;
        if (d < 1.0) s.colour = mix(s.colour, rgb255(190, 70, 40), (1.0 - d) * 0.8);
        return s;
    }
    case 7: return terran(w, p, 0.33, 0.9, true);
    case 8: {
        Surface s = terran(w, p, -0.2, 0.95, true);
        const double canopy = fbm3(p.x * 7, p.y * 7, p.z * 7, 3, w.seed + 11);
        s.colour = s.colour * (0.85 + 0.3 * canopy);
        return s;
    }
    case 9: {
        Surface s =
            banded(w, p, {{0.0, rgb255(120, 140, 30)}, {0.5, rgb255(190, 200, 60)}, {1.0, rgb255(90, 120, 40)}}, 2.5);
        s.colour = s.colour * (0.8 + 0.35 * fbm3(p.x * 4, p.y * 4, p.z * 4, 4, w.seed + 2));
        return s;
    }
    case 10: {
        Surface s = rocky(w, p, rgb255(90, 35, 20), rgb255(200, 95, 50), 2.0);
        if (std::fabs(p.y) > 0.95) s.colour = mix(s.colour, rgb255(235, 225, 220), 0.85);
        return s;
    }
    case 11: {
        Surface s = terran(w, p, -0.22, 0.93, false);
        const double dry = fbm3(p.x * 3, p.y * 3, p.z * 3, 4, w.seed + 4);
        s.colour = mix(s.colour, rgb255(190, 160, 80), std::clamp(0.5 + dry, 0.0, 0.8));
        return s;
    }
    case 12: return rocky(w, p, rgb255(35, 35, 38), rgb255(110, 110, 115), 3.5);
    case 13: {
        double best = 9.0, second = 9.0;
        std::size_t nearest = 0;
        for (std::size_t i = 0; i < w.facets.size(); ++i) {
            const double d = 1.0 - dot(p, w.facets[i]);
            if (d < best) {
                second = best;
                best = d;
                nearest = i;
            } else if (d < second) {
                second = d;
            }
        }
        Surface s;
        const double tint = static_cast<double>(nearest % 5) / 4.0;
        s.colour = mix(rgb255(90, 40, 150), rgb255(60, 180, 210), tint);
        s.gloss = 0.9;
        const double edge = second - best;
        if (edge < 0.02) s.emission = rgb255(150, 230, 255) * ((0.02 - edge) / 0.02 * 0.6);
        return s;
    }
    case 14: return terran(w, p, 0.05, 0.55, false);
    case 15: {
        Surface s =
            banded(w, p, {{0.0, rgb255(60, 120, 190)}, {0.5, rgb255(120, 190, 230)}, {1.0, rgb255(80, 150, 210)}}, 0.5);
        s.gloss = 0.2;
        return s;
    }
    case 16: {
        Surface s = rocky(w, p, rgb255(28, 27, 27), rgb255(95, 90, 88), 2.8);
        const double vents = fbm3(p.x * 6, p.y * 6, p.z * 6, 3, w.seed + 6);
        if (vents > 0.32) s.emission = rgb255(255, 110, 20) * std::min(1.0, (vents - 0.32) * 6.0);
        return s;
    }
    case 17: {
        const double h = fbm3(p.x * 2.5, p.y * 2.5, p.z * 2.5, 6, w.seed);
        Surface s;
        s.colour = ramp(h, {{-0.4, rgb255(80, 95, 90)},
                            {0.0, rgb255(120, 135, 115)},
                            {0.2, rgb255(200, 210, 210)},
                            {0.4, rgb255(240, 245, 250)}});
        return s;
    }
    default: {
        Surface s = terran(w, p, 0.0, 0.86, true);
        s.colour = s.colour * 1.1;
        // City lights: shown only on the night side (see the lighting below).
        const double city = fbm3(p.x * 9, p.y * 9, p.z * 9, 3, w.seed + 13);
        const double land = fbm3(p.x * 1.8, p.y * 1.8, p.z * 1.8, 6, w.seed);
        if (land > 0.0 && city > 0.12) s.emission = rgb255(255, 200, 110) * std::min(1.0, (city - 0.12) * 5.0);
        return s;
    }
    }
}

World makeWorld(int number)
{
    World w{number, static_cast<std::uint32_t>(seedFor(3, static_cast<std::uint64_t>(number))), {}, 0.0, {}, {}};
    Rng rng(seedFor(30, static_cast<std::uint64_t>(number)));
    const bool cratered = number == 2 || number == 12 || number == 10 || number == 16;
    const int craterCount = number == 12 ? 45 : (cratered ? 18 : 0);
    for (int i = 0; i < craterCount; ++i) w.craters.push_back({randomDirection(rng), rng.range(0.002, 0.03)});
    if (number == 13) {
        for (int i = 0; i < 40; ++i) w.facets.push_back(randomDirection(rng));
    }
    struct Air {
        Rgb colour;
        double strength;
    };
    static const std::array<Air, 18> kAir{{
        {rgb255(110, 170, 255), 0.8}, {rgb255(0, 0, 0), 0.0},       {rgb255(170, 220, 255), 0.5},
        {rgb255(230, 170, 110), 0.45}, {rgb255(255, 90, 30), 0.55},  {rgb255(240, 190, 140), 0.4},
        {rgb255(90, 160, 255), 0.9},  {rgb255(140, 230, 140), 0.7}, {rgb255(190, 230, 60), 0.9},
        {rgb255(230, 140, 100), 0.3}, {rgb255(200, 200, 140), 0.5}, {rgb255(0, 0, 0), 0.0},
        {rgb255(180, 120, 255), 0.6}, {rgb255(150, 200, 255), 0.7}, {rgb255(120, 200, 255), 0.6},
        {rgb255(160, 90, 60), 0.3},   {rgb255(190, 215, 230), 0.45}, {rgb255(100, 190, 255), 1.2},
    }};
    w.atmosphere = kAir[static_cast<std::size_t>(number - 1)].colour;
    w.atmosphereStrength = kAir[static_cast<std::size_t>(number - 1)].strength;
    return w;
}

// The home world wears a thin ring of orbital stations: an ellipse around the sphere.
double ringCoverage(double x, double y, double cx, double cy)
{
    const double ex = (x - cx) / 46.0, ey = (y - cy + (x - cx) * 0.12) / 8.0;
    const double r = std::sqrt(ex * ex + ey * ey);
    return std::clamp(1.0 - std::fabs(r - 1.0) * 14.0, 0.0, 1.0);
}

}  // namespace

const char* planetKind(int number)
{
    if (number < 1 || number > 18) throw std::out_of_range("no such planet picture");
    return kKinds[static_cast<std::size_t>(number - 1)];
}

Canvas paintPlanet(int number)
{
    planetKind(number);
    const World world = makeWorld(number);
    Canvas canvas(kPlanetWidth, kPlanetHeight);
    const double cx = kPlanetWidth / 2.0, cy = kPlanetHeight / 2.0;
    const double radius = number == 18 ? 30.0 : 35.0;
    const Vec3 light = normalised({-0.65, -0.45, 0.62});
    const Vec3 halfway = normalised({light.x, light.y, light.z + 1.0});
    const double tilt = 0.25 + 0.03 * (number % 5);
    const double spin = 0.7 * number;
    constexpr int kSub = 3;

    for (int y = 0; y < kPlanetHeight; ++y) {
        for (int x = 0; x < kPlanetWidth; ++x) {
            Rgb sum;
            for (int sy = 0; sy < kSub; ++sy) {
                for (int sx = 0; sx < kSub; ++sx) {
                    const double px = x + (sx + 0.5) / kSub, py = y + (sy + 0.5) / kSub;
                    const double dx = (px - cx) / radius, dy = (py - cy) / radius;
                    const double r2 = dx * dx + dy * dy;
                    Rgb c;
                    if (r2 < 1.0) {
                        const Vec3 n{dx, dy, std::sqrt(1.0 - r2)};
                        // Surface coordinates: the view normal turned by the world's spin and tilt.
                        const double ax = n.x * std::cos(spin) + n.z * std::sin(spin);
                        const double az = -n.x * std::sin(spin) + n.z * std::cos(spin);
                        const Vec3 p{ax, n.y * std::cos(tilt) - az * std::sin(tilt),
                                     n.y * std::sin(tilt) + az * std::cos(tilt)};
                        const Surface s = surfaceAt(world, p);
                        const double diffuse = std::max(0.0, dot(n, light));
                        const double lit = 0.04 + 0.96 * std::pow(diffuse, 0.85);
                        const double highlight = s.gloss * std::pow(std::max(0.0, dot(n, halfway)), 40.0) * 0.6;
                        const double night = std::clamp(1.0 - diffuse * 4.0, 0.0, 1.0);
                        const double emissionWeight = number == 18 ? night : 1.0;
                        c = s.colour * lit + Rgb{highlight, highlight, highlight} + s.emission * emissionWeight;
                        const double rim = std::pow(1.0 - n.z, 2.5);
                        c += world.atmosphere * (world.atmosphereStrength * rim * (0.15 + 0.85 * diffuse));
                    } else {
                        // Thin halo of the atmosphere on the lit side.
                        const double out = (std::sqrt(r2) - 1.0) * radius;
                        const double side = std::clamp(0.3 - (dx * light.x + dy * light.y) * -0.9, 0.0, 1.0);
                        c = world.atmosphere * (world.atmosphereStrength * 0.55 * std::exp(-out / 2.2) * side);
                    }
                    if (number == 18) {
                        const double ring = ringCoverage(px, py, cx, cy);
                        const bool behind = r2 < 1.0 && (py - cy + (px - cx) * 0.12) < 0.0;
                        if (ring > 0.0 && !behind) c = mix(c, rgb255(200, 230, 255), ring * 0.85);
                    }
                    sum += c;
                }
            }
            canvas.at(x, y) = sum * (1.0 / (kSub * kSub));
        }
    }
    return canvas;
}

}  // namespace qz::assets

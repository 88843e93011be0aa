#include "assets/noise.hpp"

#include <cmath>

namespace qz::assets {

namespace {

std::uint32_t hash(std::int32_t x, std::int32_t y, std::int32_t z, std::uint32_t seed)
{
    std::uint32_t h = seed ^ 0x27D4EB2Du;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h = (h << 11) | (h >> 21);
    h ^= static_cast<std::uint32_t>(z) * 0x165667B1u;
    h *= 0x9E3779B1u;
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    return h;
}

double fade(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }
double lerp(double a, double b, double t) { return a + (b - a) * t; }

double grad2(std::uint32_t h, double x, double y)
{
    // Eight directions around the circle.
    switch (h & 7u) {
    case 0: return x + y;
    case 1: return x - y;
    case 2: return -x + y;
    case 3: return -x - y;
    case 4: return 1.41421356 * x;
    case 5: return -1.41421356 * x;
    case 6: return 1.41421356 * y;
    default: return -1.41421356 * y;
    }
}

double grad3(std::uint32_t h, double x, double y, double z)
{
    // The twelve edge directions of a cube (four repeated).
    switch (h & 15u) {
    case 0: case 12: return x + y;
    case 1: case 13: return -x + y;
    case 2: return x - y;
    case 3: return -x - y;
    case 4: return x + z;
    case 5: return -x + z;
    case 6: return x - z;
    case 7: return -x - z;
    case 8: return y + z;
    case 9: case 14: return -y + z;
    case 10: return y - z;
    default: return -y - z;
    }
}

}  // namespace

double noise2(double x, double y, std::uint32_t seed)
{
    const double fx = std::floor(x), fy = std::floor(y);
    const auto ix = static_cast<std::int32_t>(fx), iy = static_cast<std::int32_t>(fy);
    const double dx = x - fx, dy = y - fy;
    const double u = fade(dx), v = fade(dy);
    const double n00 = grad2(hash(ix, iy, 0, seed), dx, dy);
    const double n10 = grad2(hash(ix + 1, iy, 0, seed), dx - 1, dy);
    const double n01 = grad2(hash(ix, iy + 1, 0, seed), dx, dy - 1);
    const double n11 = grad2(hash(ix + 1, iy + 1, 0, seed), dx - 1, dy - 1);
    return lerp(lerp(n00, n10, u), lerp(n01, n11, u), v) * 0.85;
}

double noise3(double x, double y, double z, std::uint32_t seed)
{
    const double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    const auto ix = static_cast<std::int32_t>(fx), iy = static_cast<std::int32_t>(fy),
               iz = static_cast<std::int32_t>(fz);
    const double dx = x - fx, dy = y - fy, dz = z - fz;
    const double u = fade(dx), v = fade(dy), w = fade(dz);
    auto g = [&](int ox, int oy, int oz) {
        return grad3(hash(ix + ox, iy + oy, iz + oz, seed), dx - ox, dy - oy, dz - oz);
    };
    const double x00 = lerp(g(0, 0, 0), g(1, 0, 0), u);
    const double x10 = lerp(g(0, 1, 0), g(1, 1, 0), u);
    const double x01 = lerp(g(0, 0, 1), g(1, 0, 1), u);
    const double x11 = lerp(g(0, 1, 1), g(1, 1, 1), u);
    return lerp(lerp(x00, x10, v), lerp(x01, x11, v), w) * 0.9;
}

double fbm2(double x, double y, int octaves, std::uint32_t seed, double gain)
{
    double sum = 0.0, amplitude = 1.0, norm = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * noise2(x, y, seed + static_cast<std::uint32_t>(i) * 101u);
        norm += amplitude;
        amplitude *= gain;
        x = x * 2.03 + 17.1;
        y = y * 2.03 - 9.7;
    }
    return sum / norm;
}

double fbm3(double x, double y, double z, int octaves, std::uint32_t seed, double gain)
{
    double sum = 0.0, amplitude = 1.0, norm = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * noise3(x, y, z, seed + static_cast<std::uint32_t>(i) * 101u);
        norm += amplitude;
        amplitude *= gain;
        x = x * 2.03 + 17.1;
        y = y * 2.03 - 9.7;
        z = z * 2.03 + 4.3;
    }
    return sum / norm;
}

double ridged3(double x, double y, double z, int octaves, std::uint32_t seed)
{
    double sum = 0.0, amplitude = 1.0, norm = 0.0;
    for (int i = 0; i < octaves; ++i) {
        const double n = 1.0 - std::fabs(noise3(x, y, z, seed + static_cast<std::uint32_t>(i) * 131u));
        sum += amplitude * n * n;
        norm += amplitude;
        amplitude *= 0.5;
        x *= 2.07;
        y *= 2.07;
        z *= 2.07;
    }
    return sum / norm;
}

}  // namespace qz::assets

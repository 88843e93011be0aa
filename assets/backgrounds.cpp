#include "assets/backgrounds.hpp"

#include "assets/noise.hpp"
#include "assets/rng.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace qz::assets {

namespace {

// The nebula is smooth, so it is computed on a grid four times coarser and interpolated.
constexpr int kCoarse = 4;

struct Look {
    Rgb nebulaA;
    Rgb nebulaB;
    double coverage;   // 0..1, how much of the sky the gas fills
    double scale;      // size of the gas structures (smaller = larger clouds)
    int galaxies;
};

// One look per map, chosen so that no two maps share their colours.
constexpr std::array<Look, 13> kLooks{{
    {rgb255(120, 40, 160), rgb255(40, 90, 200), 0.55, 1.0, 1},
    {rgb255(200, 60, 40), rgb255(230, 150, 60), 0.45, 1.3, 0},
    {rgb255(30, 150, 150), rgb255(40, 80, 190), 0.6, 0.8, 1},
    {rgb255(60, 160, 80), rgb255(20, 90, 120), 0.4, 1.6, 2},
    {rgb255(200, 50, 120), rgb255(90, 40, 170), 0.5, 1.1, 0},
    {rgb255(70, 90, 200), rgb255(170, 190, 240), 0.35, 1.4, 1},
    {rgb255(220, 120, 40), rgb255(120, 40, 40), 0.5, 0.9, 0},
    {rgb255(140, 60, 200), rgb255(210, 90, 160), 0.65, 1.2, 1},
    {rgb255(40, 170, 200), rgb255(170, 230, 210), 0.3, 1.8, 2},
    {rgb255(170, 40, 50), rgb255(60, 40, 120), 0.55, 0.7, 1},
    {rgb255(90, 150, 60), rgb255(200, 190, 70), 0.4, 1.0, 0},
    {rgb255(50, 60, 150), rgb255(150, 50, 180), 0.7, 1.5, 1},
    {rgb255(150, 150, 170), rgb255(60, 110, 160), 0.4, 2.0, 3},
}};

// Star colours by temperature, from cool red to hot blue, weighted towards white-yellow.
Rgb starColour(Rng& rng)
{
    const double t = rng.uniform();
    if (t < 0.12) return rgb255(255, 130, 80);
    if (t < 0.27) return rgb255(255, 200, 130);
    if (t < 0.55) return rgb255(255, 245, 230);
    if (t < 0.78) return rgb255(205, 220, 255);
    return rgb255(140, 175, 255);
}

double smoothstep(double a, double b, double x)
{
    const double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

std::vector<Rgb> paintNebula(const Look& look, std::uint32_t seed, int cw, int ch)
{
    std::vector<Rgb> coarse(static_cast<std::size_t>(cw) * ch);
    const double s = look.scale / 800.0;  // per map pixel
    for (int j = 0; j < ch; ++j) {
        for (int i = 0; i < cw; ++i) {
            const double u = i * kCoarse * s, v = j * kCoarse * s;
            // Domain warping twists the gas into filaments.
            const double qx = fbm2(u, v, 4, seed);
            const double qy = fbm2(u + 5.2, v + 1.3, 4, seed + 1);
            const double n = fbm2(u + 1.8 * qx, v + 1.8 * qy, 6, seed + 2, 0.55);
            const double density = smoothstep(0.55 - look.coverage * 0.5, 1.0, n * 0.5 + 0.5);
            const double hue = fbm2(u * 0.7 + 9.1, v * 0.7 - 3.3, 3, seed + 3) * 0.5 + 0.5;
            const double dust = smoothstep(0.15, 0.6, fbm2(u * 2.2 + qx, v * 2.2 + qy, 4, seed + 4));
            // Fine wisps modulate the brightness inside the clouds.
            const double wisps = 0.65 + 0.7 * (fbm2(u * 5.0 + 2.0 * qy, v * 5.0 - 2.0 * qx, 4, seed + 5) * 0.5 + 0.5);
            Rgb c = mix(look.nebulaA, look.nebulaB, std::clamp(hue * 1.6 - 0.3, 0.0, 1.0)) *
                    (0.8 * std::pow(density, 1.8) * wisps * (1.0 - 0.75 * dust));
            // A faint bright core where the gas is densest.
            c += Rgb{1.0, 0.95, 0.9} * (0.1 * std::pow(density, 4.0) * wisps);
            coarse[static_cast<std::size_t>(j) * cw + i] = c;
        }
    }
    return coarse;
}

void addGalaxy(Canvas& canvas, Rng& rng)
{
    const double cx = rng.range(200, kBackgroundWidth - 200), cy = rng.range(200, kBackgroundHeight - 200);
    const double size = rng.range(25, 70), angle = rng.range(0, 3.14159), flat = rng.range(0.25, 0.6);
    const Rgb colour = mix(rgb255(255, 230, 200), rgb255(190, 210, 255), rng.uniform());
    const double ca = std::cos(angle), sa = std::sin(angle);
    const int reach = static_cast<int>(size * 3.0);
    for (int y = static_cast<int>(cy) - reach; y <= static_cast<int>(cy) + reach; ++y) {
        for (int x = static_cast<int>(cx) - reach; x <= static_cast<int>(cx) + reach; ++x) {
            const double dx = x - cx, dy = y - cy;
            const double a = (dx * ca + dy * sa) / size, b = (-dx * sa + dy * ca) / (size * flat);
            const double r = std::sqrt(a * a + b * b);
            const double arms = 0.6 + 0.4 * std::sin(std::atan2(b, a) * 2.0 - r * 5.0);
            canvas.add(x, y, colour * (0.16 * std::exp(-r * 2.2) * arms + 0.25 * std::exp(-r * 14.0)));
        }
    }
}

void addBrightStar(Canvas& canvas, Rng& rng, double x, double y)
{
    const Rgb colour = starColour(rng);
    const double power = rng.range(0.8, 1.6);
    canvas.addGlow(x, y, 0.9, colour * power);
    canvas.addGlow(x, y, 3.5, colour * (0.08 * power));
    // Diffraction spikes along the axes.
    const int length = static_cast<int>(rng.range(10, 34) * power);
    for (int d = 2; d <= length; ++d) {
        const double fall = 0.35 * power * std::pow(1.0 - static_cast<double>(d) / length, 2.0);
        const int ix = static_cast<int>(x), iy = static_cast<int>(y);
        canvas.add(ix + d, iy, colour * fall);
        canvas.add(ix - d, iy, colour * fall);
        canvas.add(ix, iy + d, colour * fall);
        canvas.add(ix, iy - d, colour * fall);
    }
}

}  // namespace

Canvas paintBackground(int number)
{
    if (number < 1 || number > 13) throw std::out_of_range("no such background");
    const Look& look = kLooks[static_cast<std::size_t>(number - 1)];
    const auto seed = static_cast<std::uint32_t>(seedFor(2, static_cast<std::uint64_t>(number)));
    Rng rng(seedFor(20, static_cast<std::uint64_t>(number)));

    const int cw = kBackgroundWidth / kCoarse + 2, ch = kBackgroundHeight / kCoarse + 2;
    const std::vector<Rgb> nebula = paintNebula(look, seed, cw, ch);
    Canvas canvas(kBackgroundWidth, kBackgroundHeight);
    const Rgb deep = rgb255(2, 3, 9);
    for (int y = 0; y < kBackgroundHeight; ++y) {
        const double fy = static_cast<double>(y) / kCoarse;
        const int j = static_cast<int>(fy);
        const double ty = fy - j;
        for (int x = 0; x < kBackgroundWidth; ++x) {
            const double fx = static_cast<double>(x) / kCoarse;
            const int i = static_cast<int>(fx);
            const double tx = fx - i;
            const auto at = [&](int a, int b) { return nebula[static_cast<std::size_t>(b) * cw + a]; };
            const Rgb top = mix(at(i, j), at(i + 1, j), tx), bottom = mix(at(i, j + 1), at(i + 1, j + 1), tx);
            // A dither below one step of eight-bit colour hides banding in the dark gradients.
            const double dither = (static_cast<double>((x * 73856093u ^ y * 19349663u) % 1024u) / 1024.0 - 0.5) / 255.0;
            canvas.at(x, y) = deep + mix(top, bottom, ty) + Rgb{dither, dither, dither};
        }
    }

    for (int g = 0; g < look.galaxies; ++g) addGalaxy(canvas, rng);

    // Star density follows the gas a little: clusters form where the nebula is bright.
    const auto gasAt = [&](double x, double y) {
        const auto& c = nebula[static_cast<std::size_t>(y / kCoarse) * cw + static_cast<std::size_t>(x / kCoarse)];
        return std::min(1.0, c.luminance() * 4.0);
    };
    const int faint = 14000 + rng.between(0, 4000);
    for (int s = 0; s < faint;) {
        const double x = rng.range(0, kBackgroundWidth), y = rng.range(0, kBackgroundHeight);
        if (rng.uniform() > 0.45 + 0.55 * gasAt(x, y)) continue;
        ++s;
        // One draw per statement: the order in which a call's arguments are evaluated differs
        // between compilers, and the pictures must be the same bytes whichever built them.
        const double brightness = rng.range(0.12, 0.55);
        const Rgb colour = starColour(rng);
        canvas.addGlow(x, y, 0.42, colour * brightness);
    }
    const int medium = 900 + rng.between(0, 500);
    for (int s = 0; s < medium; ++s) {
        // Kept below full brightness so their colour survives instead of burning to white.
        const double brightness = rng.range(0.55, 1.05);
        const Rgb colour = starColour(rng);
        const double radius = rng.range(0.6, 0.95);
        const double y = rng.range(0, kBackgroundHeight);
        const double x = rng.range(0, kBackgroundWidth);
        canvas.addGlow(x, y, radius, colour * brightness);
    }
    const int bright = 18 + rng.between(0, 20);
    for (int s = 0; s < bright; ++s) {
        const double y = rng.range(20, kBackgroundHeight - 20);
        const double x = rng.range(20, kBackgroundWidth - 20);
        addBrightStar(canvas, rng, x, y);
    }
    return canvas;
}

}  // namespace qz::assets

#include "assets/canvas.hpp"

#include <algorithm>
#include <cmath>

namespace qz::assets {

Rgb mix(const Rgb& a, const Rgb& b, double t) { return a + (b - a) * t; }

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill)
{
}

void Canvas::blend(int x, int y, const Rgb& colour, double alpha)
{
    if (!inside(x, y) || alpha <= 0.0) return;
    Rgb& p = at(x, y);
    p = mix(p, colour, std::min(alpha, 1.0));
}

void Canvas::add(int x, int y, const Rgb& light)
{
    if (inside(x, y)) at(x, y) += light;
}

void Canvas::addGlow(double cx, double cy, double radius, const Rgb& light)
{
    const int reach = static_cast<int>(std::ceil(radius * 3.0));
    const int x0 = static_cast<int>(std::floor(cx)) - reach, x1 = static_cast<int>(std::floor(cx)) + reach;
    const int y0 = static_cast<int>(std::floor(cy)) - reach, y1 = static_cast<int>(std::floor(cy)) + reach;
    const double k = -1.0 / (2.0 * radius * radius);
    for (int y = std::max(y0, 0); y <= std::min(y1, height_ - 1); ++y) {
        const double dy = y + 0.5 - cy;
        for (int x = std::max(x0, 0); x <= std::min(x1, width_ - 1); ++x) {
            const double dx = x + 0.5 - cx;
            at(x, y) += light * std::exp((dx * dx + dy * dy) * k);
        }
    }
}

std::vector<std::uint8_t> Canvas::toBytes() const
{
    std::vector<std::uint8_t> out(pixels_.size() * 3);
    auto byte = [](double v) {
        return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
    };
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
        out[i * 3] = byte(pixels_[i].r);
        out[i * 3 + 1] = byte(pixels_[i].g);
        out[i * 3 + 2] = byte(pixels_[i].b);
    }
    return out;
}

}  // namespace qz::assets

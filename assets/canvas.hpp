// A floating-point RGB picture (channels 0..1) that the generator paints into before the
// picture is written as JPEG or PNG. Painting in floating point keeps soft glows and additive
// star light free of banding; the conversion to bytes clamps and rounds once at the end.
#pragma once

#include <cstdint>
#include <vector>

namespace qz::assets {

struct Rgb {
    double r = 0.0, g = 0.0, b = 0.0;

    Rgb operator+(const Rgb& o) const { return {r + o.r, g + o.g, b + o.b}; }
    Rgb operator-(const Rgb& o) const { return {r - o.r, g - o.g, b - o.b}; }
    Rgb operator*(double s) const { return {r * s, g * s, b * s}; }
    Rgb operator*(const Rgb& o) const { return {r * o.r, g * o.g, b * o.b}; }
    Rgb& operator+=(const Rgb& o)
    {
        r += o.r;
        g += o.g;
        b += o.b;
        return *this;
    }
    double luminance() const { return 0.299 * r + 0.587 * g + 0.114 * b; }
};

// Colour from 0..255 components.
constexpr Rgb rgb255(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }
Rgb mix(const Rgb& a, const Rgb& b, double t);

class Canvas {
public:
    Canvas(int width, int height, Rgb fill = {});

    int width() const { return width_; }
    int height() const { return height_; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Rgb& at(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    const Rgb& at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

    // Mixes colour over the pixel with coverage alpha (0..1); outside is ignored.
    void blend(int x, int y, const Rgb& colour, double alpha);
    // Adds light (glows, stars); outside is ignored.
    void add(int x, int y, const Rgb& light);
    // A round soft spot of light: gaussian falloff with the given radius (one deviation).
    void addGlow(double cx, double cy, double radius, const Rgb& light);

    // Packed 8-bit RGB rows, clamped and rounded.
    std::vector<std::uint8_t> toBytes() const;

private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

}  // namespace qz::assets

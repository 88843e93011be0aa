// Images and software drawing: 32-bit 0xAARRGGBB pixel rectangles, the three blit modes,
// primitives and 8 x 16 code page 437 text. Used for the screen frame and every picture.
// A null Image pointer is the "handle 0" of the game; drawing with it raises error 7.
#pragma once

#include "platform/text.hpp"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

using Farbe = std::uint32_t;

constexpr Farbe kMaskColour = 0x00FF00FF;   // magenta in the low 24 bits, alpha ignored
constexpr Farbe kDefaultFill = 0xFFFF00FF;

constexpr Farbe rgb(int red, int green, int blue)
{
    return 0xFF000000u + static_cast<Farbe>(red) * 65536u + static_cast<Farbe>(green) * 256u +
           static_cast<Farbe>(blue);
}

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Farbe> pixels;  // row-major, width * height

    Farbe* row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
    const Farbe* row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * width; }
};

using ImagePtr = std::unique_ptr<Image>;

enum class PutMode { Copy, Transparent, Blend };

struct SourceRect {
    int left;
    int top;
    int width;
    int height;
};

// A new image filled with fill; width or height below 1 raises error 1.
ImagePtr imageCreate(int width, int height, Farbe fill = kDefaultFill);

// Blits image (or the part given by source) with its top-left corner at (x, y), clipped to target.
void put(Image& target, int x, int y, const Image* image, PutMode mode = PutMode::Copy, int alpha = 255);
void put(Image& target, int x, int y, const Image* image, PutMode mode, const SourceRect& source,
         int alpha = 255);

// Reads one pixel; outside the image raises error 6.
Farbe point(const Image* image, int x, int y);

void pset(Image& target, int x, int y, Farbe colour);
void line(Image& target, int x1, int y1, int x2, int y2, Farbe colour);
void box(Image& target, int x1, int y1, int x2, int y2, Farbe colour);
void filledBox(Image& target, int x1, int y1, int x2, int y2, Farbe colour);
void circle(Image& target, int cx, int cy, int radius, Farbe colour, bool filled);
void clear(Image& target, Farbe colour = 0x00000000);

// Text as code page 437 bytes, 8 x 16 per character; only glyph pixels are written.
void drawText(Image& target, int x, int y, std::string_view cp437, Farbe colour);
// A translated text (UTF-8): the same font where code page 437 has the character, GNU Unifont's
// glyph where it has not, the replacement character where neither has it.
void drawText(Image& target, int x, int y, const Text& text, Farbe colour);

// Left edge of a text of n characters centred on c (fractions truncated by the drawing).
inline int centredX(double c, std::size_t n) { return static_cast<int>(c - static_cast<double>(n) * 8.0 / 2.0); }
inline int centredX(double c, const Text& text) { return centredX(c, zeichenzahl(text)); }

}  // namespace qz

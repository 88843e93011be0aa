// Software drawing into 32-bit images. Every operation clips to its target; hot loops work
// on whole rows so that a full map frame stays cheap.
#include "platform/image.hpp"

#include "platform/errors.hpp"
#include "platform/text.hpp"
#include "platform/zeichenprotokoll.hpp"

#include <algorithm>
#include <cstdlib>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstring>
#include <new>

namespace qz {

namespace {

const unsigned char kFont[256][16] = {
#include "font_cp437.inc"
};

// GNU Unifont's 8 x 16 glyphs of the characters code page 437 lacks, sorted by code point; which
// blocks are compiled in is chosen in platform/CMakeLists.txt.
struct UnifontGlyph {
    char32_t zeichen;
    unsigned char rows[16];
};
const UnifontGlyph kUnifont[] = {
#include "font_unifont.inc"
};

const unsigned char* unifontGlyph(char32_t zeichen)
{
    auto it = std::lower_bound(std::begin(kUnifont), std::end(kUnifont), zeichen,
                               [](const UnifontGlyph& g, char32_t z) { return g.zeichen < z; });
    return it != std::end(kUnifont) && it->zeichen == zeichen ? it->rows : nullptr;
}

const unsigned char* ersatzGlyph()
{
    static const unsigned char* const ersatz = unifontGlyph(0xFFFD) ? unifontGlyph(0xFFFD) : kFont[static_cast<unsigned char>('?')];
    return ersatz;
}

// A character in neither font shows the replacement character, never nothing.
const unsigned char* glyphOf(char32_t zeichen)
{
    const unsigned char* ersatz = ersatzGlyph();
    const int byte = cp437Byte(zeichen);
    if (byte >= 0) return kFont[byte];
    const unsigned char* g = unifontGlyph(zeichen);
    return g ? g : ersatz;
}

// Draws n glyphs (16 rows of 8 pixels each, bit 7 the left column) from (x, y) on.
template <typename Glyph>
void drawGlyphs(Image& target, int x, int y, std::size_t n, Farbe colour, Glyph glyph)
{
    // Texts wholly inside the target skip the per-pixel clipping.
    if (x >= 0 && y >= 0 && y + 16 <= target.height && x + 8 * static_cast<long long>(n) <= target.width) {
        for (int r = 0; r < 16; ++r) {
            Farbe* row = target.row(y + r) + x;
            for (std::size_t i = 0; i < n; ++i) {
                // Visit only the lit pixels.
                for (unsigned bits = glyph(i)[r]; bits != 0; bits &= bits - 1)
                    row[7 - __builtin_ctz(bits)] = colour;
                row += 8;
            }
        }
        return;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (x > -8 && x < target.width && y > -16 && y < target.height) {
            for (int r = 0; r < 16; ++r) {
                int py = y + r;
                unsigned bits = glyph(i)[r];
                if (py < 0 || py >= target.height || bits == 0) continue;
                Farbe* row = target.row(py);
                for (int b = 0; b < 8; ++b) {
                    int px = x + b;
                    if ((bits & (0x80u >> b)) && px >= 0 && px < target.width) row[px] = colour;
                }
            }
        }
        x += 8;
    }
}

bool isMask(Farbe p) { return (p & 0x00FFFFFFu) == kMaskColour; }

Farbe blendPixel(Farbe target, Farbe source, int alpha)
{
    Farbe out = source & 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8) {
        int t = static_cast<int>((target >> shift) & 0xFF);
        int s = static_cast<int>((source >> shift) & 0xFF);
        out |= static_cast<Farbe>(t + (s - t) * alpha / 255) << shift;
    }
    return out;
}

// Writes every source pixel that is not the mask colour; the overlays are mostly mask, so
// four pixels are tested at a time and fully masked groups cost one comparison.
void transparentRow(Farbe* dst, const Farbe* src, int w)
{
    int c = 0;
#if defined(__SSE2__)
    const __m128i rgbMask = _mm_set1_epi32(0x00FFFFFF);
    const __m128i magenta = _mm_set1_epi32(static_cast<int>(kMaskColour));
    // Skip long fully masked stretches eight pixels at a time.
    for (; c + 8 <= w; c += 8) {
        __m128i a = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + c)), rgbMask);
        __m128i b = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + c + 4)), rgbMask);
        __m128i both = _mm_and_si128(_mm_cmpeq_epi32(a, magenta), _mm_cmpeq_epi32(b, magenta));
        if (_mm_movemask_epi8(both) != 0xFFFF) break;
    }
    for (; c + 4 <= w; c += 4) {
        __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + c));
        __m128i isMaskLane = _mm_cmpeq_epi32(_mm_and_si128(s, rgbMask), magenta);
        int bits = _mm_movemask_epi8(isMaskLane);
        if (bits == 0xFFFF) continue;
        __m128i* out = reinterpret_cast<__m128i*>(dst + c);
        if (bits == 0) {
            _mm_storeu_si128(out, s);
            continue;
        }
        __m128i d = _mm_loadu_si128(out);
        _mm_storeu_si128(out, _mm_or_si128(_mm_and_si128(isMaskLane, d), _mm_andnot_si128(isMaskLane, s)));
    }
#endif
    for (; c < w; ++c)
        if (!isMask(src[c])) dst[c] = src[c];
}

void hspan(Image& target, int x1, int x2, int y, Farbe colour)
{
    if (y < 0 || y >= target.height) return;
    if (x1 > x2) std::swap(x1, x2);
    x1 = std::max(x1, 0);
    x2 = std::min(x2, target.width - 1);
    if (x1 > x2) return;
    std::fill(target.row(y) + x1, target.row(y) + x2 + 1, colour);
}

}  // namespace

ImagePtr imageCreate(int width, int height, Farbe fill)
{
    if (width < 1 || height < 1) raiseError(kIllegalFunctionCall);
    try {
        auto image = std::make_unique<Image>();
        image->width = width;
        image->height = height;
        image->pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
        return image;
    } catch (const std::bad_alloc&) {
        raiseError(kOutOfMemory);
    }
}

void put(Image& target, int x, int y, const Image* image, PutMode mode, int alpha)
{
    if (!image) raiseError(kNullPointer);
    put(target, x, y, image, mode, SourceRect{0, 0, image->width, image->height}, alpha);
}

void put(Image& target, int x, int y, const Image* image, PutMode mode, const SourceRect& source, int alpha)
{
    if (!image) raiseError(kNullPointer);
    if (detail::zeichenprotokoll) [[unlikely]]
        detail::zeichenprotokoll->flaeche(target, x, y, std::min(source.width, image->width),
                                          std::min(source.height, image->height));
    if (source.width < 0 || source.height < 0) raiseError(kIllegalFunctionCall);
    // Clip the source rectangle to the image, then the destination to the target.
    int sx = source.left, sy = source.top, w = source.width, h = source.height;
    if (sx < 0) { x -= sx; w += sx; sx = 0; }
    if (sy < 0) { y -= sy; h += sy; sy = 0; }
    w = std::min(w, image->width - sx);
    h = std::min(h, image->height - sy);
    if (x < 0) { sx -= x; w += x; x = 0; }
    if (y < 0) { sy -= y; h += y; y = 0; }
    w = std::min(w, target.width - x);
    h = std::min(h, target.height - y);
    if (w <= 0 || h <= 0) return;
    alpha = std::clamp(alpha, 0, 255);
    for (int r = 0; r < h; ++r) {
        const Farbe* src = image->row(sy + r) + sx;
        Farbe* dst = target.row(y + r) + x;
        switch (mode) {
        case PutMode::Copy:
            std::memcpy(dst, src, static_cast<std::size_t>(w) * sizeof(Farbe));
            break;
        case PutMode::Transparent:
            transparentRow(dst, src, w);
            break;
        case PutMode::Blend:
            for (int c = 0; c < w; ++c)
                if (!isMask(src[c])) dst[c] = blendPixel(dst[c], src[c], alpha);
            break;
        }
    }
}

Farbe point(const Image* image, int x, int y)
{
    if (!image) raiseError(kNullPointer);
    checkIndex(x, 0, image->width - 1);
    checkIndex(y, 0, image->height - 1);
    return image->row(y)[x];
}

void pset(Image& target, int x, int y, Farbe colour)
{
    if (x >= 0 && y >= 0 && x < target.width && y < target.height) target.row(y)[x] = colour;
}

void line(Image& target, int x1, int y1, int x2, int y2, Farbe colour)
{
    if (y1 == y2) return hspan(target, x1, x2, y1, colour);
    int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        pset(target, x1, y1, colour);
        if (x1 == x2 && y1 == y2) break;
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x1 += sx; }
        if (e2 <= dx) { err += dx; y1 += sy; }
    }
}

void box(Image& target, int x1, int y1, int x2, int y2, Farbe colour)
{
    if (detail::zeichenprotokoll) [[unlikely]]
        detail::zeichenprotokoll->flaeche(target, std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1,
                                          std::abs(y2 - y1) + 1);
    hspan(target, x1, x2, y1, colour);
    hspan(target, x1, x2, y2, colour);
    line(target, x1, y1, x1, y2, colour);
    line(target, x2, y1, x2, y2, colour);
}

void filledBox(Image& target, int x1, int y1, int x2, int y2, Farbe colour)
{
    if (y1 > y2) std::swap(y1, y2);
    for (int y = std::max(y1, 0); y <= std::min(y2, target.height - 1); ++y) hspan(target, x1, x2, y, colour);
}

void circle(Image& target, int cx, int cy, int radius, Farbe colour, bool filled)
{
    if (radius < 0) return;
    // A circle far larger than the target (a range of a very high research level) would cost
    // its whole circumference in steps: one that misses the target draws nothing, and one that
    // holds the whole target well inside its outline fills it or leaves it as it is.
    const long long r = radius;
    if (cx + r < 0 || cy + r < 0 || cx - r >= target.width || cy - r >= target.height) return;
    const double fernX = static_cast<double>(std::max<long long>(std::llabs(cx), std::llabs(target.width - 1LL - cx)));
    const double fernY = static_cast<double>(std::max<long long>(std::llabs(cy), std::llabs(target.height - 1LL - cy)));
    if (r > 2 && fernX * fernX + fernY * fernY < static_cast<double>(r - 2) * static_cast<double>(r - 2)) {
        if (filled) filledBox(target, 0, 0, target.width - 1, target.height - 1, colour);
        return;
    }
    // Midpoint circle; the filled form draws the spans between the outline's points.
    int x = radius, y = 0, err = 1 - radius;
    while (x >= y) {
        if (filled) {
            hspan(target, cx - x, cx + x, cy + y, colour);
            hspan(target, cx - x, cx + x, cy - y, colour);
            hspan(target, cx - y, cx + y, cy + x, colour);
            hspan(target, cx - y, cx + y, cy - x, colour);
        } else {
            const int pts[8][2] = {{x, y}, {y, x}, {-y, x}, {-x, y}, {-x, -y}, {-y, -x}, {y, -x}, {x, -y}};
            for (const auto& p : pts) pset(target, cx + p[0], cy + p[1], colour);
        }
        ++y;
        if (err < 0) {
            err += 2 * y + 1;
        } else {
            --x;
            err += 2 * (y - x) + 1;
        }
    }
}

void clear(Image& target, Farbe colour) { std::fill(target.pixels.begin(), target.pixels.end(), colour); }

void drawText(Image& target, int x, int y, std::string_view cp437, Farbe colour)
{
    if (detail::zeichenprotokoll) [[unlikely]]
        detail::zeichenprotokoll->text(target, x, y, cp437ZuUtf8(cp437), false, 8 * static_cast<int>(cp437.size()), 0);
    drawGlyphs(target, x, y, cp437.size(), colour,
               [&](std::size_t i) { return kFont[static_cast<unsigned char>(cp437[i])]; });
}

void drawText(Image& target, int x, int y, const Text& text, Farbe colour)
{
    // The glyphs are found once per text, not once per row; a line of the screen fits the
    // buffer on the stack, a longer text takes the heap.
    const unsigned char* kurz[160];
    std::vector<const unsigned char*> lang;
    const unsigned char** glyphs = kurz;
    if (text.utf8.size() > std::size(kurz)) {
        lang.resize(text.utf8.size());
        glyphs = lang.data();
    }
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < text.utf8.size();) glyphs[n++] = glyphOf(naechstesZeichen(text.utf8, pos));
    if (detail::zeichenprotokoll) [[unlikely]] {
        int fehlend = 0;
        for (std::size_t pos = 0, i = 0; pos < text.utf8.size(); ++i)
            fehlend += naechstesZeichen(text.utf8, pos) != 0xFFFD && glyphs[i] == ersatzGlyph();
        detail::zeichenprotokoll->text(target, x, y, text.utf8, true, 8 * static_cast<int>(n), fehlend);
    }
    drawGlyphs(target, x, y, n, colour, [&](std::size_t i) { return glyphs[i]; });
}

namespace detail {
Zeichenprotokoll* zeichenprotokoll = nullptr;
}

void setzeZeichenprotokoll(Zeichenprotokoll* protokoll) { detail::zeichenprotokoll = protokoll; }

}  // namespace qz

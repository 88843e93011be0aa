// One pass over the MCUs in file order. Blocks that fall wholly outside the target are
// entropy-decoded (to keep the bit position) but neither transformed nor drawn.
#include "image/jpeg_scan.hpp"

#include "image/jpeg_bit_reader.hpp"
#include "image/jpeg_idct.hpp"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qz::jpeg {

namespace {

struct ComponentCoder {
    const HuffmanTable* dc;
    const HuffmanTable* ac;
    std::array<std::int32_t, 64> quant;  // in zig-zag order, like the coefficients arrive
    int predictor = 0;
};

ComponentCoder makeCoder(const JpegHeader& header, const ScanComponent& sc)
{
    ComponentCoder coder{&header.dcTables[sc.dcTable], &header.acTables[sc.acTable], {}, 0};
    const auto& quant = header.quant[header.components[sc.id].quantTable];
    for (int k = 0; k < 64; ++k) coder.quant[k] = quant[kNaturalOrder[k]];
    return coder;
}

// The next symbol, or -1 for a bit pattern that no code of the table starts with.
inline int decodeSymbol(BitReader& bits, const HuffmanTable& table)
{
    bits.ensure();
    const std::uint16_t entry = table.fast[bits.peek(kLookaheadBits)];
    if (entry != 0) {
        bits.skip(entry >> 8);
        return entry & 0xFF;
    }
    const auto look = static_cast<std::int32_t>(bits.peek(16));
    for (int length = kLookaheadBits + 1; length <= 16; ++length) {
        const std::int32_t code = look >> (16 - length);
        if (code <= table.maxCode[length]) {
            bits.skip(length);
            return table.symbols[code + table.valueOffset[length]];
        }
    }
    return -1;
}

inline std::int16_t dequantise(int value, std::int32_t quant)
{
    return static_cast<std::int16_t>(std::clamp(value * quant, -kCoefficientLimit, kCoefficientLimit));
}

// Decodes one block into coefficients (natural order, all zero on entry). Returns the highest
// zig-zag index written, 0 for a DC-only block, or -1 when the data cannot be decoded.
inline int decodeBlock(BitReader& bits, ComponentCoder& coder, std::int16_t* coefficients)
{
    const int category = decodeSymbol(bits, *coder.dc);
    if (category < 0 || category > 15) return -1;
    const int difference = category == 0 ? 0 : extendValue(bits.take(category), category);
    coder.predictor = std::clamp(coder.predictor + difference, -32768, 32767);
    coefficients[0] = dequantise(coder.predictor, coder.quant[0]);

    const HuffmanTable& ac = *coder.ac;
    int last = 0;
    for (int k = 1; k < 64;) {
        bits.ensure();
        const std::int32_t fast = ac.fastAc[bits.peek(kLookaheadBits)];
        if (fast != 0) {
            k += (fast >> 8) & 15;
            bits.skip(fast & 0xFF);
            if (k > 63) return -1;
            coefficients[kNaturalOrder[k]] = dequantise(fast >> 16, coder.quant[k]);
            last = k++;
            continue;
        }
        const int symbol = decodeSymbol(bits, ac);
        if (symbol < 0) return -1;
        const int run = symbol >> 4;
        const int size = symbol & 15;
        if (size == 0) {
            if (run != 15) break;  // end of block
            k += 16;
            continue;
        }
        k += run;
        if (k > 63) return -1;
        coefficients[kNaturalOrder[k]] = dequantise(extendValue(bits.take(size), size), coder.quant[k]);
        last = k++;
    }
    return last;
}

inline void transformBlock(const std::int16_t* coefficients, int last, std::int16_t* out, int stride, int bias)
{
    if (last == 0)
        inverseDctDcOnly(coefficients[0], out, stride, bias);
    else
        inverseDct(coefficients, out, stride, bias);
}

// floor(x / 1000) for the value range the colour terms can reach.
inline int floorDiv1000(int x)
{
    constexpr int kOffset = 60000;
    return static_cast<int>(static_cast<unsigned>(x + kOffset * 1000) / 1000u) - kOffset;
}

inline std::uint32_t clampByte(int value) { return static_cast<std::uint32_t>(std::clamp(value, 0, 255)); }

// Which part of the MCU at (left, top) of size w x h the target and the picture show.
struct Visible {
    int colA, colB, rowA, rowB;
    bool empty() const { return colA >= colB || rowA >= rowB; }
    bool touches(int x, int y, int size) const { return x < colB && x + size > colA && y < rowB && y + size > rowA; }
};

Visible visiblePart(const JpegHeader& header, const ScanTarget& target, int left, int top, int w, int h)
{
    return {std::max(left, target.x1), std::min({left + w, target.x1 + target.width, header.width}),
            std::max(top, target.y1), std::min({top + h, target.y1 + target.height, header.height})};
}

class RestartCounter {
public:
    explicit RestartCounter(int interval) : interval_(interval) {}
    // True when the MCU about to be decoded starts a new restart interval.
    bool next()
    {
        const bool restart = interval_ > 0 && count_ > 0 && count_ % interval_ == 0;
        ++count_;
        return restart;
    }

private:
    int interval_;
    long long count_ = 0;
};

#if defined(__SSE2__)
// Eight pixels from eight luminance samples and their colour terms. Saturating 16-bit sums
// followed by the unsigned pack give exactly the clamp of the full sums to 0..255.
inline void convertEight(const std::int16_t* luma, __m128i red, __m128i green, __m128i blue, std::uint32_t* out)
{
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(luma));
    const __m128i blueRed = _mm_packus_epi16(_mm_adds_epi16(y, blue), _mm_adds_epi16(y, red));
    const __m128i greenAlpha = _mm_packus_epi16(_mm_adds_epi16(y, green), _mm_set1_epi16(255));
    const __m128i blueGreen = _mm_unpacklo_epi8(blueRed, greenAlpha);
    const __m128i redAlpha = _mm_unpackhi_epi8(blueRed, greenAlpha);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi16(blueGreen, redAlpha));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4), _mm_unpackhi_epi16(blueGreen, redAlpha));
}

inline __m128i load8(const std::int16_t* p) { return _mm_load_si128(reinterpret_cast<const __m128i*>(p)); }

// A whole MCU inside the target: rows of 8 H pixels, each chroma term used by H pixels in a
// row and by V rows.
template <int H, int V>
void convertWholeMcu(const std::int16_t* luma, const std::int16_t* redTerm, const std::int16_t* greenTerm,
                     const std::int16_t* blueTerm, std::uint32_t* out, int stride)
{
    for (int ly = 0; ly < 8 * V; ++ly, out += stride, luma += 8 * H) {
        const int chromaRow = (ly / V) * 8;
        const __m128i red = load8(redTerm + chromaRow);
        const __m128i green = load8(greenTerm + chromaRow);
        const __m128i blue = load8(blueTerm + chromaRow);
        if constexpr (H == 1) {
            convertEight(luma, red, green, blue, out);
        } else {
            convertEight(luma, _mm_unpacklo_epi16(red, red), _mm_unpacklo_epi16(green, green),
                         _mm_unpacklo_epi16(blue, blue), out);
            convertEight(luma + 8, _mm_unpackhi_epi16(red, red), _mm_unpackhi_epi16(green, green),
                         _mm_unpackhi_epi16(blue, blue), out + 8);
        }
    }
}
#endif

// Y, Cb, Cr interleaved: H x V luminance blocks, then one Cb and one Cr block per MCU. The
// chroma sample of luminance pixel (x, y) of the MCU is the one at (x / H, y / V).
template <int H, int V>
void decodeColour(BitReader& bits, const JpegHeader& header, const ScanTarget& target)
{
    constexpr int kMcuWidth = 8 * H;
    constexpr int kMcuHeight = 8 * V;
    constexpr int kLumaBlocks = H * V;
    ComponentCoder coders[3] = {makeCoder(header, header.scan[0]), makeCoder(header, header.scan[1]),
                                makeCoder(header, header.scan[2])};
    ComponentCoder* luma = &coders[0];
    ComponentCoder* chroma[2] = {&coders[1], &coders[2]};
    for (int i = 0; i < 3; ++i) {
        const int id = header.scan[i].id;
        if (id == 1) luma = &coders[i];
        if (id == 2) chroma[0] = &coders[i];
        if (id == 3) chroma[1] = &coders[i];
    }

    alignas(64) std::int16_t coefficients[kLumaBlocks + 2][64];
    int last[kLumaBlocks + 2];
    alignas(64) std::int16_t lumaSamples[kMcuHeight * kMcuWidth];
    alignas(64) std::int16_t cb[64];
    alignas(64) std::int16_t cr[64];
    // Colour terms per chroma sample; |term| <= 1.772 * 7 * kCoefficientLimit fits 16 bits.
    alignas(16) std::int16_t redTerm[64];
    alignas(16) std::int16_t greenTerm[64];
    alignas(16) std::int16_t blueTerm[64];

    const int mcusX = (header.width + kMcuWidth - 1) / kMcuWidth;
    const int mcusY = (header.height + kMcuHeight - 1) / kMcuHeight;
    RestartCounter restarts(header.restartInterval);
    for (int my = 0; my < mcusY; ++my) {
        const int top = my * kMcuHeight;
        if (top >= target.y1 + target.height) return;
        for (int mx = 0; mx < mcusX; ++mx) {
            if (restarts.next()) {
                bits.restart();
                for (ComponentCoder& coder : coders) coder.predictor = 0;
            }
            if (bits.overrun()) return;
            std::memset(coefficients, 0, sizeof coefficients);
            for (int b = 0; b < kLumaBlocks; ++b)
                if ((last[b] = decodeBlock(bits, *luma, coefficients[b])) < 0) return;
            if ((last[kLumaBlocks] = decodeBlock(bits, *chroma[0], coefficients[kLumaBlocks])) < 0) return;
            if ((last[kLumaBlocks + 1] = decodeBlock(bits, *chroma[1], coefficients[kLumaBlocks + 1])) < 0) return;

            const int left = mx * kMcuWidth;
            const Visible vis = visiblePart(header, target, left, top, kMcuWidth, kMcuHeight);
            if (vis.empty()) continue;
            for (int b = 0; b < kLumaBlocks; ++b) {
                const int bx = (b % H) * 8;
                const int by = (b / H) * 8;
                if (vis.touches(left + bx, top + by, 8))
                    transformBlock(coefficients[b], last[b], lumaSamples + by * kMcuWidth + bx, kMcuWidth, 128);
            }
            transformBlock(coefficients[kLumaBlocks], last[kLumaBlocks], cb, 8, 0);
            transformBlock(coefficients[kLumaBlocks + 1], last[kLumaBlocks + 1], cr, 8, 0);
            // R = (1000 Y + 1402 Cr) / 1000 truncated equals Y + floor(1402 Cr / 1000) wherever
            // the result survives the clamp to 0..255 (a negative sum clamps to 0 either way).
            for (int i = 0; i < 64; ++i) {
                redTerm[i] = static_cast<std::int16_t>(floorDiv1000(1402 * cr[i]));
                greenTerm[i] = static_cast<std::int16_t>(floorDiv1000(-344 * cb[i] - 714 * cr[i]));
                blueTerm[i] = static_cast<std::int16_t>(floorDiv1000(1772 * cb[i]));
            }
#if defined(__SSE2__)
            if (vis.colA == left && vis.colB == left + kMcuWidth && vis.rowA == top && vis.rowB == top + kMcuHeight) {
                std::uint32_t* out = target.pixels + static_cast<std::size_t>(top - target.y1) * target.width +
                                     (left - target.x1);
                convertWholeMcu<H, V>(lumaSamples, redTerm, greenTerm, blueTerm, out, target.width);
                continue;
            }
#endif
            for (int y = vis.rowA; y < vis.rowB; ++y) {
                const int ly = y - top;
                const std::int16_t* lumaRow = lumaSamples + ly * kMcuWidth;
                const int chromaRow = (ly / V) * 8;
                std::uint32_t* out = target.pixels + static_cast<std::size_t>(y - target.y1) * target.width;
                const int shift = left - target.x1;
                for (int lx = vis.colA - left; lx < vis.colB - left; ++lx) {
                    const int c = chromaRow + lx / H;
                    const int yv = lumaRow[lx];
                    out[lx + shift] = 0xFF000000u | clampByte(yv + redTerm[c]) << 16 |
                                         clampByte(yv + greenTerm[c]) << 8 | clampByte(yv + blueTerm[c]);
                }
            }
        }
    }
}

// One component: 8 x 8 blocks in raster order, drawn as grey with the alpha byte 0.
void decodeGrey(BitReader& bits, const JpegHeader& header, const ScanTarget& target)
{
    ComponentCoder coder = makeCoder(header, header.scan[0]);
    alignas(64) std::int16_t coefficients[64];
    alignas(64) std::int16_t samples[64];
    const int blocksX = (header.width + 7) / 8;
    const int blocksY = (header.height + 7) / 8;
    RestartCounter restarts(header.restartInterval);
    for (int by = 0; by < blocksY; ++by) {
        const int top = by * 8;
        if (top >= target.y1 + target.height) return;
        for (int bx = 0; bx < blocksX; ++bx) {
            if (restarts.next()) {
                bits.restart();
                coder.predictor = 0;
            }
            if (bits.overrun()) return;
            std::memset(coefficients, 0, sizeof coefficients);
            const int last = decodeBlock(bits, coder, coefficients);
            if (last < 0) return;
            const int left = bx * 8;
            const Visible vis = visiblePart(header, target, left, top, 8, 8);
            if (vis.empty()) continue;
            transformBlock(coefficients, last, samples, 8, 128);
            for (int y = vis.rowA; y < vis.rowB; ++y) {
                const std::int16_t* row = samples + (y - top) * 8;
                std::uint32_t* out = target.pixels + static_cast<std::size_t>(y - target.y1) * target.width;
                for (int x = vis.colA; x < vis.colB; ++x) out[x - target.x1] = clampByte(row[x - left]) * 0x010101u;
            }
        }
    }
}

}  // namespace

void decodeScan(std::span<const std::uint8_t> data, const JpegHeader& header, const ScanTarget& target)
{
    const std::uint8_t* begin = data.data() + std::min(header.entropyStart, data.size());
    BitReader bits(begin, data.data() + data.size());
    if (header.scanComponentCount == 1) {
        decodeGrey(bits, header, target);
        return;
    }
    const FrameComponent& luma = header.components[1];
    if (luma.h == 1 && luma.v == 1) decodeColour<1, 1>(bits, header, target);
    if (luma.h == 2 && luma.v == 1) decodeColour<2, 1>(bits, header, target);
    if (luma.h == 1 && luma.v == 2) decodeColour<1, 2>(bits, header, target);
    if (luma.h == 2 && luma.v == 2) decodeColour<2, 2>(bits, header, target);
}

}  // namespace qz::jpeg

#include "literal_model.hpp"

#include <algorithm>

namespace qz::test {

namespace {

// One 8-point pass over v[0..7]; result before rounding.
std::array<std::int64_t, 8> pass(const std::array<std::int64_t, 8>& v)
{
    // Even part.
    const std::int64_t z1 = (v[2] + v[6]) * 4433;
    const std::int64_t even2 = z1 + v[6] * -15137;
    const std::int64_t even3 = z1 + v[2] * 6270;
    const std::int64_t even0 = (v[0] + v[4]) * 8192;
    const std::int64_t even1 = (v[0] - v[4]) * 8192;
    const std::int64_t t10 = even0 + even3;
    const std::int64_t t13 = even0 - even3;
    const std::int64_t t11 = even1 + even2;
    const std::int64_t t12 = even1 - even2;
    // Odd part.
    const std::int64_t a = v[7], b = v[5], c = v[3], d = v[1];
    const std::int64_t z5 = (a + c + b + d) * 9633;
    const std::int64_t p1 = (a + d) * -7373;
    const std::int64_t p2 = (b + c) * -20995;
    const std::int64_t p3 = (a + c) * -16069 + z5;
    const std::int64_t p4 = (b + d) * -3196 + z5;
    const std::int64_t o0 = a * 2446 + p1 + p3;
    const std::int64_t o1 = b * 16819 + p2 + p4;
    const std::int64_t o2 = c * 25172 + p2 + p3;
    const std::int64_t o3 = d * 12299 + p1 + p4;
    return {t10 + o3, t11 + o2, t12 + o1, t13 + o0, t13 - o0, t12 - o1, t11 - o2, t10 - o3};
}

std::int64_t roundShift(std::int64_t value, int shift)
{
    return (value + (std::int64_t{1} << (shift - 1))) >> shift;
}

std::uint32_t clampByte(std::int64_t v) { return static_cast<std::uint32_t>(std::clamp<std::int64_t>(v, 0, 255)); }

// The samples of every block of one component, transformed once.
class ComponentSamples {
public:
    explicit ComponentSamples(const Coefficients::Component& comp) : wide_(comp.blocksWide), high_(comp.blocksHigh)
    {
        for (const auto& block : comp.blocks) {
            std::array<int, 64> dequantised{};
            for (int k = 0; k < 64; ++k) dequantised[k] = block[k] * comp.quant[k];
            samples_.push_back(literalIdct(dequantised));
        }
    }
    // Sample i of block (bx, by); blocks past the component's edge hold zeros.
    int at(int bx, int by, int i) const
    {
        if (bx >= wide_ || by >= high_) return 0;
        return samples_[static_cast<std::size_t>(by) * wide_ + bx][i];
    }

private:
    int wide_;
    int high_;
    std::vector<std::array<int, 64>> samples_;
};

}  // namespace

std::array<int, 64> literalIdct(const std::array<int, 64>& coefficients)
{
    std::int64_t columns[8][8];  // [row][col]
    for (int col = 0; col < 8; ++col) {
        std::array<std::int64_t, 8> v{};
        for (int row = 0; row < 8; ++row) v[row] = coefficients[row * 8 + col];
        const auto out = pass(v);
        for (int row = 0; row < 8; ++row) columns[row][col] = roundShift(out[row], 12);
    }
    std::array<int, 64> samples{};
    for (int row = 0; row < 8; ++row) {
        std::array<std::int64_t, 8> v{};
        for (int col = 0; col < 8; ++col) v[col] = columns[row][col];
        const auto out = pass(v);
        for (int col = 0; col < 8; ++col) samples[row * 8 + col] = static_cast<int>(roundShift(out[col], 17));
    }
    return samples;
}

std::vector<std::uint32_t> literalDecode(const Coefficients& coefficients)
{
    const int width = coefficients.width;
    const int height = coefficients.height;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    const auto& luma = coefficients.components[0];
    const ComponentSamples lumaSamples(luma);
    if (coefficients.components.size() == 1) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const std::uint32_t v = clampByte(lumaSamples.at(x / 8, y / 8, (y % 8) * 8 + x % 8) + 128);
                pixels[static_cast<std::size_t>(y) * width + x] = v << 16 | v << 8 | v;
            }
        return pixels;
    }
    const ComponentSamples cbSamples(coefficients.components[1]);
    const ComponentSamples crSamples(coefficients.components[2]);
    const int h = luma.h;
    const int v = luma.v;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int mcuX = x / (8 * h), mcuY = y / (8 * v);
            const int bx = (x % (8 * h)) / 8, by = (y % (8 * v)) / 8;
            const int px = x % 8, py = y % 8;
            const std::int64_t yv = lumaSamples.at(mcuX * h + bx, mcuY * v + by, py * 8 + px) + 128;
            const int chromaIndex = (py / v + by * 4) * 8 + px / h + bx * 4;
            const std::int64_t cb = cbSamples.at(mcuX, mcuY, chromaIndex);
            const std::int64_t cr = crSamples.at(mcuX, mcuY, chromaIndex);
            const std::int64_t r = (1000 * yv + 1402 * cr) / 1000;
            const std::int64_t g = (1000 * yv - 344 * cb - 714 * cr) / 1000;
            const std::int64_t b = (1000 * yv + 1772 * cb) / 1000;
            pixels[static_cast<std::size_t>(y) * width + x] =
                0xFF000000u | clampByte(r) << 16 | clampByte(g) << 8 | clampByte(b);
        }
    }
    return pixels;
}

}  // namespace qz::test

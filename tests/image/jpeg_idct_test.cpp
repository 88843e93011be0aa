// Both forms of the inverse DCT (SIMD, and scalar with shortcuts for zero columns, zero rows
// and DC-only blocks) against the literal 64-bit model of the same arithmetic, on random
// blocks of every density, including the largest coefficients the decoder lets through.
#include "image/jpeg_idct.hpp"

#include "literal_model.hpp"

#include <gtest/gtest.h>

#include <random>

namespace qz {
namespace {

using Transform = void (*)(const std::int16_t*, std::int16_t*, int, int);

std::array<int, 64> run(Transform transform, const std::array<int, 64>& coefficients, int bias)
{
    std::int16_t in[64];
    for (int i = 0; i < 64; ++i) in[i] = static_cast<std::int16_t>(coefficients[i]);
    std::int16_t out[8 * 11] = {};
    transform(in, out, 11, bias);  // a stride wider than the block, as in an MCU
    std::array<int, 64> samples{};
    for (int i = 0; i < 64; ++i) samples[i] = out[(i / 8) * 11 + i % 8];
    return samples;
}

std::array<int, 64> literal(const std::array<int, 64>& coefficients, int bias)
{
    auto samples = test::literalIdct(coefficients);
    for (int& s : samples) s += bias;
    return samples;
}

TEST(JpegIdct, MatchesLiteralArithmeticOnRandomBlocks)
{
    std::mt19937 random(1234);
    for (int trial = 0; trial < 4000; ++trial) {
        std::array<int, 64> coefficients{};
        const int filled = trial % 65;
        const int magnitude = trial % 3 == 0 ? jpeg::kCoefficientLimit : 300;
        std::uniform_int_distribution<int> value(-magnitude, magnitude);
        std::uniform_int_distribution<int> position(0, 63);
        for (int i = 0; i < filled; ++i) coefficients[position(random)] = value(random);
        const int bias = trial % 2 ? 128 : 0;
        const auto expected = literal(coefficients, bias);
        ASSERT_EQ(run(jpeg::inverseDct, coefficients, bias), expected) << "trial " << trial;
        ASSERT_EQ(run(jpeg::inverseDctScalar, coefficients, bias), expected) << "trial " << trial;
    }
}

TEST(JpegIdct, ExtremeSignPatternsStayExact)
{
    std::mt19937 random(99);
    for (int trial = 0; trial < 2000; ++trial) {
        std::array<int, 64> coefficients{};
        for (int& c : coefficients) c = random() & 1 ? jpeg::kCoefficientLimit : -jpeg::kCoefficientLimit;
        const auto expected = literal(coefficients, 0);
        ASSERT_EQ(run(jpeg::inverseDct, coefficients, 0), expected) << "trial " << trial;
        ASSERT_EQ(run(jpeg::inverseDctScalar, coefficients, 0), expected) << "trial " << trial;
    }
}

TEST(JpegIdct, DcOnlyBlocksAreFlat)
{
    for (int dc = -jpeg::kCoefficientLimit; dc <= jpeg::kCoefficientLimit; ++dc) {
        std::array<int, 64> coefficients{};
        coefficients[0] = dc;
        std::int16_t out[64];
        jpeg::inverseDctDcOnly(dc, out, 8, 128);
        const auto expected = literal(coefficients, 128);
        for (int i = 0; i < 64; ++i) ASSERT_EQ(out[i], expected[i]) << "dc " << dc;
    }
}

}  // namespace
}  // namespace qz

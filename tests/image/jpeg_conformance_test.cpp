// The decoder against libjpeg-turbo: pictures made by the reference encoder at every
// sampling the game's decoder accepts, decoded both ways. The reference uses its accurate
// integer IDCT and plain upsampling, the nearest-sample rule of our decoder.
//
// Two comparisons, because the decoder's colour formula truncates where the reference rounds:
// - in RGB, about half of all channel values come out one lower than the reference's, so the
//   mean difference sits near 0.5 and a rare pixel differs by 4;
// - with the reference's own Y, Cb, Cr samples put through our colour formula, only the IDCT
//   rounding remains (the first pass keeps one fractional bit where the reference keeps two).
// Each picture is also checked bit for bit against a literal model of the decoder's arithmetic.
#include "image/jpeg_decoder.hpp"

#include "literal_model.hpp"
#include "reference_jpeg.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <ostream>

namespace qz {
namespace {

using test::EncodeOptions;

struct ConformanceCase {
    const char* name;
    int width;
    int height;
    EncodeOptions options;
};

std::ostream& operator<<(std::ostream& out, const ConformanceCase& c) { return out << c.name; }

struct Difference {
    int maximum = 0;
    double mean = 0;
};

// expected(i, c) is the reference value of channel c (0 red, 1 green, 2 blue) of pixel i.
Difference compare(const JpegPicture& ours, const std::function<int(std::size_t, int)>& expected)
{
    Difference diff;
    long long total = 0;
    for (std::size_t i = 0; i < ours.pixels.size(); ++i) {
        for (int c = 0; c < 3; ++c) {
            const int d = std::abs(static_cast<int>((ours.pixels[i] >> (16 - 8 * c)) & 0xFF) - expected(i, c));
            diff.maximum = std::max(diff.maximum, d);
            total += d;
        }
    }
    diff.mean = static_cast<double>(total) / static_cast<double>(ours.pixels.size() * 3);
    return diff;
}

// The decoder's colour formula applied to reference Y, Cb, Cr samples.
int colourOf(const test::Samples& ycc, std::size_t i, int channel)
{
    const int y = ycc.data[i * 3];
    const int cb = ycc.data[i * 3 + 1] - 128;
    const int cr = ycc.data[i * 3 + 2] - 128;
    const int value = channel == 0   ? (1000 * y + 1402 * cr) / 1000
                      : channel == 1 ? (1000 * y - 344 * cb - 714 * cr) / 1000
                                     : (1000 * y + 1772 * cb) / 1000;
    return std::clamp(value, 0, 255);
}

class JpegConformance : public ::testing::TestWithParam<ConformanceCase> {};

TEST_P(JpegConformance, MatchesReferenceWithinRoundingAndModelExactly)
{
    const ConformanceCase& c = GetParam();
    const bool grey = c.options.grey;
    const auto jpeg = test::encodeJpeg(test::synthesize(c.width, c.height, c.width * 31 + c.height, grey ? 1 : 3), c.options);
    const JpegPicture ours = jpegDecodeMemory(jpeg);

    ASSERT_EQ(ours.status, 0);
    ASSERT_EQ(ours.width, c.width);
    ASSERT_EQ(ours.height, c.height);
    ASSERT_EQ(ours.pixels.size(), static_cast<std::size_t>(c.width) * c.height);

    const auto reference = test::referenceDecode(jpeg);
    ASSERT_EQ(reference.width, c.width);
    ASSERT_EQ(reference.height, c.height);
    if (grey) {
        const Difference diff = compare(ours, [&](std::size_t i, int) { return reference.data[i]; });
        EXPECT_LE(diff.maximum, 2);
        EXPECT_LT(diff.mean, 0.5);
    } else {
        const Difference rgb = compare(ours, [&](std::size_t i, int ch) { return reference.data[i * 3 + ch]; });
        EXPECT_LE(rgb.maximum, 4);
        EXPECT_LT(rgb.mean, 0.6);
        const auto ycc = test::referenceDecode(jpeg, true);
        const Difference same = compare(ours, [&](std::size_t i, int ch) { return colourOf(ycc, i, ch); });
        EXPECT_LE(same.maximum, 3);
        EXPECT_LT(same.mean, 0.1);
    }

    const std::uint32_t alpha = grey ? 0x00000000u : 0xFF000000u;
    EXPECT_EQ(std::count_if(ours.pixels.begin(), ours.pixels.end(),
                            [&](std::uint32_t p) { return (p & 0xFF000000u) != alpha; }),
              0);

    const auto model = test::literalDecode(test::referenceCoefficients(jpeg));
    ASSERT_EQ(model.size(), ours.pixels.size());
    EXPECT_TRUE(std::equal(model.begin(), model.end(), ours.pixels.begin())) << "differs from the literal model";
}

EncodeOptions sampled(int h, int v, int quality = 90)
{
    EncodeOptions options;
    options.h = h;
    options.v = v;
    options.quality = quality;
    return options;
}

EncodeOptions withRestart(EncodeOptions options, int interval, int rows = 0)
{
    options.restartInterval = interval;
    options.restartRows = rows;
    return options;
}

EncodeOptions optimised(EncodeOptions options)
{
    options.optimiseTables = true;
    return options;
}

EncodeOptions grey(int quality = 90)
{
    EncodeOptions options;
    options.grey = true;
    options.quality = quality;
    return options;
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, JpegConformance,
    ::testing::Values(ConformanceCase{"s444", 64, 48, sampled(1, 1)}, ConformanceCase{"s420", 64, 48, sampled(2, 2)},
                      ConformanceCase{"s422", 64, 48, sampled(2, 1)}, ConformanceCase{"s440", 40, 40, sampled(1, 2, 75)},
                      ConformanceCase{"s420_odd_size", 93, 61, sampled(2, 2)},
                      ConformanceCase{"s422_odd_size", 37, 23, sampled(2, 1, 95)},
                      ConformanceCase{"s444_quality100", 19, 13, sampled(1, 1, 100)},
                      ConformanceCase{"s420_quality50_flat", 250, 7, sampled(2, 2, 50)},
                      ConformanceCase{"s420_single_pixel", 1, 1, sampled(2, 2)},
                      ConformanceCase{"s420_optimised_tables", 48, 40, optimised(sampled(2, 2, 97))},
                      ConformanceCase{"grey_optimised_tables", 40, 24, optimised(grey(100))},
                      ConformanceCase{"s420_large", 320, 200, sampled(2, 2)},
                      ConformanceCase{"s420_restart_3", 77, 45, withRestart(sampled(2, 2), 3)},
                      ConformanceCase{"s444_restart_every_mcu", 30, 20, withRestart(sampled(1, 1), 1)},
                      ConformanceCase{"s422_restart_rows", 70, 50, withRestart(sampled(2, 1), 0, 1)},
                      ConformanceCase{"grey", 61, 37, grey()}, ConformanceCase{"grey_quality30", 64, 64, grey(30)},
                      ConformanceCase{"grey_restart_5", 45, 33, withRestart(grey(), 5)}),
    [](const ::testing::TestParamInfo<ConformanceCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qz

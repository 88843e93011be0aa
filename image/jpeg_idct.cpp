// The transform of the decoder. A column or row whose AC terms are all zero has a constant
// result; those shortcuts give exactly what the full arithmetic gives.
#include "image/jpeg_idct.hpp"

namespace qz::jpeg {

namespace {

constexpr int kConstBits = 13;
constexpr int kPass1Shift = 12;
constexpr int kPass2Shift = 17;

constexpr std::int32_t kFix0_541196100 = 4433;
constexpr std::int32_t kFix0_765366865 = 6270;
constexpr std::int32_t kFix1_847759065 = -15137;
constexpr std::int32_t kFix1_175875602 = 9633;
constexpr std::int32_t kFix0_298631336 = 2446;
constexpr std::int32_t kFix2_053119869 = 16819;
constexpr std::int32_t kFix3_072711026 = 25172;
constexpr std::int32_t kFix1_501321110 = 12299;
constexpr std::int32_t kFix0_899976223 = -7373;
constexpr std::int32_t kFix2_562915447 = -20995;
constexpr std::int32_t kFix1_961570560 = -16069;
constexpr std::int32_t kFix0_390180644 = -3196;

// One 8-point transform over in[0], in[step], ... in[7 * step]; the eight sums before the
// final rounding go to out[0..7].
template <typename In>
inline void transform8(const In* in, int step, std::int32_t* out)
{
    std::int32_t z2 = in[2 * step];
    std::int32_t z3 = in[6 * step];
    std::int32_t z1 = (z2 + z3) * kFix0_541196100;
    std::int32_t tmp2 = z1 + z3 * kFix1_847759065;
    std::int32_t tmp3 = z1 + z2 * kFix0_765366865;

    z2 = in[0];
    z3 = in[4 * step];
    std::int32_t tmp0 = (z2 + z3) * (1 << kConstBits);
    std::int32_t tmp1 = (z2 - z3) * (1 << kConstBits);

    const std::int32_t tmp10 = tmp0 + tmp3;
    const std::int32_t tmp13 = tmp0 - tmp3;
    const std::int32_t tmp11 = tmp1 + tmp2;
    const std::int32_t tmp12 = tmp1 - tmp2;

    tmp0 = in[7 * step];
    tmp1 = in[5 * step];
    tmp2 = in[3 * step];
    tmp3 = in[1 * step];

    z1 = tmp0 + tmp3;
    z2 = tmp1 + tmp2;
    z3 = tmp0 + tmp2;
    std::int32_t z4 = tmp1 + tmp3;
    const std::int32_t z5 = (z3 + z4) * kFix1_175875602;

    tmp0 *= kFix0_298631336;
    tmp1 *= kFix2_053119869;
    tmp2 *= kFix3_072711026;
    tmp3 *= kFix1_501321110;
    z1 *= kFix0_899976223;
    z2 *= kFix2_562915447;
    z3 = z3 * kFix1_961570560 + z5;
    z4 = z4 * kFix0_390180644 + z5;

    tmp0 += z1 + z3;
    tmp1 += z2 + z4;
    tmp2 += z2 + z3;
    tmp3 += z1 + z4;

    out[0] = tmp10 + tmp3;
    out[7] = tmp10 - tmp3;
    out[1] = tmp11 + tmp2;
    out[6] = tmp11 - tmp2;
    out[2] = tmp12 + tmp1;
    out[5] = tmp12 - tmp1;
    out[3] = tmp13 + tmp0;
    out[4] = tmp13 - tmp0;
}

}  // namespace

void inverseDct(const std::int16_t* coefficients, std::int16_t* out, int stride, int bias)
{
    std::int32_t workspace[64];
    std::int32_t sums[8];

    for (int col = 0; col < 8; ++col) {
        const std::int16_t* in = coefficients + col;
        std::int32_t* ws = workspace + col;
        if ((in[8] | in[16] | in[24] | in[32] | in[40] | in[48] | in[56]) == 0) {
            const std::int32_t dc = in[0] * 2;  // (in[0] << 13 + 2048) >> 12
            for (int row = 0; row < 8; ++row) ws[row * 8] = dc;
            continue;
        }
        transform8(in, 8, sums);
        for (int row = 0; row < 8; ++row) ws[row * 8] = (sums[row] + (1 << (kPass1Shift - 1))) >> kPass1Shift;
    }

    for (int row = 0; row < 8; ++row) {
        const std::int32_t* ws = workspace + row * 8;
        std::int16_t* o = out + row * stride;
        if ((ws[1] | ws[2] | ws[3] | ws[4] | ws[5] | ws[6] | ws[7]) == 0) {
            const auto value = static_cast<std::int16_t>(
                ((ws[0] * (1 << kConstBits) + (1 << (kPass2Shift - 1))) >> kPass2Shift) + bias);
            for (int col = 0; col < 8; ++col) o[col] = value;
            continue;
        }
        transform8(ws, 1, sums);
        for (int col = 0; col < 8; ++col)
            o[col] = static_cast<std::int16_t>(((sums[col] + (1 << (kPass2Shift - 1))) >> kPass2Shift) + bias);
    }
}

}  // namespace qz::jpeg

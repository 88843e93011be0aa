// The transform of the decoder. A column or row whose AC terms are all zero has a constant
// result; those shortcuts give exactly what the full arithmetic gives.
#include "image/jpeg_idct.hpp"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

void inverseDctScalar(const std::int16_t* coefficients, std::int16_t* out, int stride, int bias)
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

#if defined(__SSE2__)
namespace {

// Eight transforms side by side, one per 16-bit lane. Every output of the transform is the
// sum of four products of the even inputs and four of the odd ones; multiplying out the
// shared terms (z1 .. z5) gives integer constants that fit 16 bits, so each pair of products
// is one multiply-add into 32 bits. The sums are the same integers as in the scalar form.
inline __m128i pairConstants(int first, int second)
{
    return _mm_set_epi16(static_cast<short>(second), static_cast<short>(first), static_cast<short>(second),
                         static_cast<short>(first), static_cast<short>(second), static_cast<short>(first),
                         static_cast<short>(second), static_cast<short>(first));
}

template <int Shift>
inline __m128i roundShift(__m128i value)
{
    return _mm_srai_epi32(_mm_add_epi32(value, _mm_set1_epi32(1 << (Shift - 1))), Shift);
}

template <int Shift>
void transformLanes(const __m128i* in, __m128i* out)
{
    const __m128i even2and6 = pairConstants(kFix0_541196100 + kFix0_765366865, kFix0_541196100);
    const __m128i even2and6b = pairConstants(kFix0_541196100, kFix0_541196100 + kFix1_847759065);
    const __m128i sum0and4 = pairConstants(1 << kConstBits, 1 << kConstBits);
    const __m128i difference0and4 = pairConstants(1 << kConstBits, -(1 << kConstBits));
    // Odd outputs over (in7, in5) and (in3, in1).
    const __m128i odd0a = pairConstants(kFix0_298631336 + kFix0_899976223 + kFix1_961570560 + kFix1_175875602,
                                        kFix1_175875602);
    const __m128i odd0b = pairConstants(kFix1_961570560 + kFix1_175875602, kFix0_899976223 + kFix1_175875602);
    const __m128i odd1a = pairConstants(kFix1_175875602,
                                        kFix2_053119869 + kFix2_562915447 + kFix0_390180644 + kFix1_175875602);
    const __m128i odd1b = pairConstants(kFix2_562915447 + kFix1_175875602, kFix0_390180644 + kFix1_175875602);
    const __m128i odd2a = pairConstants(kFix1_961570560 + kFix1_175875602, kFix2_562915447 + kFix1_175875602);
    const __m128i odd2b = pairConstants(kFix3_072711026 + kFix2_562915447 + kFix1_961570560 + kFix1_175875602,
                                        kFix1_175875602);
    const __m128i odd3a = pairConstants(kFix0_899976223 + kFix1_175875602, kFix0_390180644 + kFix1_175875602);
    const __m128i odd3b = pairConstants(kFix1_175875602,
                                        kFix1_501321110 + kFix0_899976223 + kFix0_390180644 + kFix1_175875602);

    __m128i result[2][8];
    for (int half = 0; half < 2; ++half) {
        const auto interleave = [half](__m128i a, __m128i b) {
            return half == 0 ? _mm_unpacklo_epi16(a, b) : _mm_unpackhi_epi16(a, b);
        };
        const __m128i p26 = interleave(in[2], in[6]);
        const __m128i p04 = interleave(in[0], in[4]);
        const __m128i p75 = interleave(in[7], in[5]);
        const __m128i p31 = interleave(in[3], in[1]);

        const __m128i tmp3 = _mm_madd_epi16(p26, even2and6);
        const __m128i tmp2 = _mm_madd_epi16(p26, even2and6b);
        const __m128i tmp0 = _mm_madd_epi16(p04, sum0and4);
        const __m128i tmp1 = _mm_madd_epi16(p04, difference0and4);
        const __m128i tmp10 = _mm_add_epi32(tmp0, tmp3);
        const __m128i tmp13 = _mm_sub_epi32(tmp0, tmp3);
        const __m128i tmp11 = _mm_add_epi32(tmp1, tmp2);
        const __m128i tmp12 = _mm_sub_epi32(tmp1, tmp2);

        const __m128i odd0 = _mm_add_epi32(_mm_madd_epi16(p75, odd0a), _mm_madd_epi16(p31, odd0b));
        const __m128i odd1 = _mm_add_epi32(_mm_madd_epi16(p75, odd1a), _mm_madd_epi16(p31, odd1b));
        const __m128i odd2 = _mm_add_epi32(_mm_madd_epi16(p75, odd2a), _mm_madd_epi16(p31, odd2b));
        const __m128i odd3 = _mm_add_epi32(_mm_madd_epi16(p75, odd3a), _mm_madd_epi16(p31, odd3b));

        __m128i* r = result[half];
        r[0] = roundShift<Shift>(_mm_add_epi32(tmp10, odd3));
        r[7] = roundShift<Shift>(_mm_sub_epi32(tmp10, odd3));
        r[1] = roundShift<Shift>(_mm_add_epi32(tmp11, odd2));
        r[6] = roundShift<Shift>(_mm_sub_epi32(tmp11, odd2));
        r[2] = roundShift<Shift>(_mm_add_epi32(tmp12, odd1));
        r[5] = roundShift<Shift>(_mm_sub_epi32(tmp12, odd1));
        r[3] = roundShift<Shift>(_mm_add_epi32(tmp13, odd0));
        r[4] = roundShift<Shift>(_mm_sub_epi32(tmp13, odd0));
    }
    for (int k = 0; k < 8; ++k) out[k] = _mm_packs_epi32(result[0][k], result[1][k]);
}

void transpose(__m128i* v)
{
    const __m128i t0 = _mm_unpacklo_epi16(v[0], v[1]), t1 = _mm_unpackhi_epi16(v[0], v[1]);
    const __m128i t2 = _mm_unpacklo_epi16(v[2], v[3]), t3 = _mm_unpackhi_epi16(v[2], v[3]);
    const __m128i t4 = _mm_unpacklo_epi16(v[4], v[5]), t5 = _mm_unpackhi_epi16(v[4], v[5]);
    const __m128i t6 = _mm_unpacklo_epi16(v[6], v[7]), t7 = _mm_unpackhi_epi16(v[6], v[7]);
    const __m128i u0 = _mm_unpacklo_epi32(t0, t2), u1 = _mm_unpackhi_epi32(t0, t2);
    const __m128i u2 = _mm_unpacklo_epi32(t1, t3), u3 = _mm_unpackhi_epi32(t1, t3);
    const __m128i u4 = _mm_unpacklo_epi32(t4, t6), u5 = _mm_unpackhi_epi32(t4, t6);
    const __m128i u6 = _mm_unpacklo_epi32(t5, t7), u7 = _mm_unpackhi_epi32(t5, t7);
    v[0] = _mm_unpacklo_epi64(u0, u4);
    v[1] = _mm_unpackhi_epi64(u0, u4);
    v[2] = _mm_unpacklo_epi64(u1, u5);
    v[3] = _mm_unpackhi_epi64(u1, u5);
    v[4] = _mm_unpacklo_epi64(u2, u6);
    v[5] = _mm_unpackhi_epi64(u2, u6);
    v[6] = _mm_unpacklo_epi64(u3, u7);
    v[7] = _mm_unpackhi_epi64(u3, u7);
}

}  // namespace

void inverseDct(const std::int16_t* coefficients, std::int16_t* out, int stride, int bias)
{
    __m128i rows[8];
    for (int k = 0; k < 8; ++k) rows[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(coefficients + 8 * k));
    transformLanes<kPass1Shift>(rows, rows);  // columns: lane = column
    transpose(rows);
    transformLanes<kPass2Shift>(rows, rows);  // rows: lane = row
    transpose(rows);
    const __m128i offset = _mm_set1_epi16(static_cast<short>(bias));
    for (int k = 0; k < 8; ++k)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k * stride), _mm_add_epi16(rows[k], offset));
}
#else
void inverseDct(const std::int16_t* coefficients, std::int16_t* out, int stride, int bias)
{
    inverseDctScalar(coefficients, out, stride, bias);
}
#endif

}  // namespace qz::jpeg

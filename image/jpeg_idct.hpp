// Integer inverse DCT of one 8 x 8 block: the separable Loeffler-Ligtenberg-Moschytz algorithm
// with 13-bit fixed-point constants, columns first (results rounded and shifted right by 12),
// then rows (rounded and shifted right by 17).
#pragma once

#include <cstdint>

namespace qz::jpeg {

// Dequantised coefficients are kept within this bound; real 8-bit pictures stay far below it
// (about 1200 at most), and it keeps every intermediate of the transform inside 32 bits.
constexpr int kCoefficientLimit = 2047;

// coefficients: 64 dequantised values in natural (row-major) order. Writes 8 rows of 8 samples
// to out, rows `stride` apart, each sample plus `bias`. Uses the SIMD form where the processor
// has one, else the scalar form; both give the same results.
void inverseDct(const std::int16_t* coefficients, std::int16_t* out, int stride, int bias);
void inverseDctScalar(const std::int16_t* coefficients, std::int16_t* out, int stride, int bias);

// The same for a block whose only non-zero coefficient is the DC value.
inline void inverseDctDcOnly(int dc, std::int16_t* out, int stride, int bias)
{
    const auto value = static_cast<std::int16_t>(((dc + 4) >> 3) + bias);
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 8; ++col) out[row * stride + col] = value;
}

}  // namespace qz::jpeg

// A slow, literal model of the decoder's arithmetic, fed with the reference's quantised
// coefficients: dequantise, integer IDCT in 64-bit arithmetic without shortcuts, chroma
// sample at column px / H + bx * 4 and row py / V + by * 4, colour with truncating division.
// The decoder must match it bit for bit.
#pragma once

#include "reference_jpeg.hpp"

#include <array>
#include <cstdint>
#include <vector>

namespace qz::test {

// 64 dequantised coefficients (natural order) -> 64 samples before any level shift.
std::array<int, 64> literalIdct(const std::array<int, 64>& coefficients);

// The whole picture as 0xAARRGGBB pixels.
std::vector<std::uint32_t> literalDecode(const Coefficients& coefficients);

}  // namespace qz::test

// Entropy decoding, dequantisation, inverse DCT, chroma sampling and colour conversion of the
// first scan, drawn straight into the target pixels.
#pragma once

#include "image/jpeg_header.hpp"

#include <cstdint>
#include <span>

namespace qz::jpeg {

struct ScanTarget {
    std::uint32_t* pixels;  // row-major, `width` pixels per row
    int x1;                 // picture position of the target's top-left pixel
    int y1;
    int width;
    int height;
};

// Decodes the scan that starts at header.entropyStart. Data that ends early or holds a code
// that leads nowhere ends the decoding; what was decoded until then stays in the target.
void decodeScan(std::span<const std::uint8_t> data, const JpegHeader& header, const ScanTarget& target);

}  // namespace qz::jpeg

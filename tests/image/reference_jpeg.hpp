// Test pictures made and read with libjpeg-turbo, the reference the decoder is held against.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qz::test {

// 8-bit RGB (or grey, one byte per pixel) samples, row-major.
struct Samples {
    int width = 0;
    int height = 0;
    int channels = 3;
    std::vector<std::uint8_t> data;
};

// A smooth, lightly textured picture with values kept inside 24..232, so that no channel
// saturates and reference and decoder differ only by rounding. Deterministic for a seed.
Samples synthesize(int width, int height, std::uint32_t seed, int channels = 3);

struct EncodeOptions {
    int quality = 90;
    int h = 2;  // luminance sampling factors; chroma stays 1 x 1
    int v = 2;
    bool grey = false;
    int restartInterval = 0;  // in MCUs
    int restartRows = 0;      // in MCU rows
    bool progressive = false;
    bool arithmetic = false;
    bool sharedQuantTable = false;  // chroma uses the luminance table
    bool forceBaseline = true;      // false lets low qualities write 16-bit tables
    bool optimiseTables = false;    // Huffman tables made for the picture instead of the standard ones
};

std::vector<std::uint8_t> encodeJpeg(const Samples& picture, const EncodeOptions& options = {});

// Reference decode with the accurate integer IDCT and plain (replicating) upsampling, as RGB
// (grey for one-component pictures) or, with ycc set, as its Y, Cb, Cr samples.
Samples referenceDecode(const std::vector<std::uint8_t>& jpeg, bool ycc = false);

// The quantised coefficients of every component as the reference reads them, in natural
// order per block, plus the frame values a literal model of the decoder needs.
struct Coefficients {
    int width = 0;
    int height = 0;
    struct Component {
        int h = 1;
        int v = 1;
        int blocksWide = 0;
        int blocksHigh = 0;
        std::array<int, 64> quant{};  // natural order
        std::vector<std::array<int, 64>> blocks;
    };
    std::vector<Component> components;
};
Coefficients referenceCoefficients(const std::vector<std::uint8_t>& jpeg);

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace qz::test

// A minimal PNG writer for tests: any colour type and bit depth, optional palette and tRNS,
// written chunk by chunk so that every variant the loader must read can be made exactly.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace qz::test {

struct PngLayout {
    PngLayout(int w, int h, int depth, int type, std::vector<std::uint8_t> samples,
            std::vector<std::uint8_t> paletteEntries = {}, std::vector<std::uint8_t> trns = {})
        : width(w), height(h), bitDepth(depth), colourType(type), rows(std::move(samples)),
          palette(std::move(paletteEntries)), transparency(std::move(trns))
    {
    }

    int width = 0;
    int height = 0;
    int bitDepth = 8;
    int colourType = 2;              // 0 grey, 2 RGB, 3 palette, 4 grey + alpha, 6 RGBA
    std::vector<std::uint8_t> rows;  // packed samples, rows without filter bytes
    std::vector<std::uint8_t> palette;  // RGB triples
    std::vector<std::uint8_t> transparency;  // tRNS payload as stored
};

std::vector<std::uint8_t> writePng(const PngLayout& layout);

// Changes the size in the IHDR chunk of a written PNG (and its CRC), leaving the data as it is.
void resizeHeader(std::vector<std::uint8_t>& png, std::uint32_t width, std::uint32_t height);

}  // namespace qz::test

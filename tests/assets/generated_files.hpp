// Reading the generated files back for the tests: raw bytes, and pictures decoded by the
// reference libraries into plain RGB.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qz::assets::test {

std::string generatedPath(const std::string& relative);
std::vector<std::uint8_t> readBytes(const std::string& relative);

struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width * height * 3

    const std::uint8_t* at(int x, int y) const { return rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3; }
    double luminance(int x, int y) const
    {
        const std::uint8_t* p = at(x, y);
        return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
    }
};

// What libjpeg reports about a JPEG before decoding.
struct JpegFacts {
    bool jfif = false;
    bool progressive = false;
    bool arithmetic = false;
    int components = 0;
    int lumaH = 0, lumaV = 0;      // sampling factors of component 1
    int chromaH = 0, chromaV = 0;  // of components 2 and 3 (equal, or -1)
    int restartInterval = 0;
};

// Decodes with libjpeg; throws std::runtime_error on a broken file.
RgbPicture decodeJpeg(const std::vector<std::uint8_t>& bytes, JpegFacts* facts = nullptr);
// Decodes with libpng into 8-bit RGB; throws on a broken file. colourType receives the PNG's own.
RgbPicture decodePng(const std::vector<std::uint8_t>& bytes, int* colourType = nullptr);

}  // namespace qz::assets::test

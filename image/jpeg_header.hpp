// The marker segments of a JPEG file up to its first scan: frame, tables, restart interval,
// JFIF header, comment and application data.
#pragma once

#include "image/jpeg_huffman.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace qz::jpeg {

// Natural (row-major) position of each zig-zag index.
inline constexpr std::array<std::uint8_t, 64> kNaturalOrder = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// Kept as read; decoding does not use it.
struct JfifHeader {
    int versionMajor = 0;
    int versionMinor = 0;
    int units = 0;
    int xDensity = 0;
    int yDensity = 0;
    int thumbnailWidth = 0;
    int thumbnailHeight = 0;
};

// Frame values of one component, by identifier (1 luminance, 2 and 3 chroma).
struct FrameComponent {
    bool present = false;
    int h = 0;
    int v = 0;
    int quantTable = 0;
};

struct ScanComponent {
    int id = 0;
    int dcTable = 0;
    int acTable = 0;
};

struct JpegHeader {
    bool frameSeen = false;
    int width = 0;
    int height = 0;
    std::array<FrameComponent, 4> components{};

    int scanComponentCount = 0;
    std::array<ScanComponent, 3> scan{};

    // Quantisation tables in natural order.
    std::array<std::array<std::uint16_t, 64>, 2> quant{};
    std::array<bool, 2> quantDefined{};
    int quantTablesRead = 0;
    std::array<HuffmanTable, 2> dcTables{};
    std::array<HuffmanTable, 2> acTables{};
    int dcTablesRead = 0;
    int acTablesRead = 0;

    int restartInterval = 0;
    JfifHeader jfif;
    std::string comment;
    std::string applicationData;

    std::size_t entropyStart = 0;  // first byte after the start-of-scan segment
};

// Reads from the start-of-image marker up to and including the first start-of-scan segment.
// Returns 0 or the status of the first problem found.
int readJpegHeader(std::span<const std::uint8_t> data, JpegHeader& header);

}  // namespace qz::jpeg

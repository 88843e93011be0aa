#include "png_writer.hpp"

#include <stdexcept>
#include <string>

#include <zlib.h>

namespace qz::test {

namespace {

void put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void chunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data)
{
    put32(out, static_cast<std::uint32_t>(data.size()));
    std::vector<std::uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    put32(out, static_cast<std::uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

int channels(int colourType)
{
    switch (colourType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
    }
}

}  // namespace

std::vector<std::uint8_t> writePng(const PngLayout& layout)
{
    const std::size_t rowBytes = (static_cast<std::size_t>(layout.width) * channels(layout.colourType) * layout.bitDepth + 7) / 8;
    if (layout.rows.size() != rowBytes * layout.height) throw std::invalid_argument("row data of the wrong size");
    std::vector<std::uint8_t> filtered;
    for (int y = 0; y < layout.height; ++y) {
        filtered.push_back(0);
        filtered.insert(filtered.end(), layout.rows.begin() + static_cast<std::ptrdiff_t>(y * rowBytes),
                        layout.rows.begin() + static_cast<std::ptrdiff_t>((y + 1) * rowBytes));
    }
    uLongf packedSize = compressBound(static_cast<uLong>(filtered.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress(packed.data(), &packedSize, filtered.data(), static_cast<uLong>(filtered.size())) != Z_OK)
        throw std::runtime_error("zlib failed");
    packed.resize(packedSize);

    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    put32(header, static_cast<std::uint32_t>(layout.width));
    put32(header, static_cast<std::uint32_t>(layout.height));
    header.insert(header.end(), {static_cast<std::uint8_t>(layout.bitDepth), static_cast<std::uint8_t>(layout.colourType), 0, 0, 0});
    chunk(out, "IHDR", header);
    if (!layout.palette.empty()) chunk(out, "PLTE", layout.palette);
    if (!layout.transparency.empty()) chunk(out, "tRNS", layout.transparency);
    chunk(out, "IDAT", packed);
    chunk(out, "IEND", {});
    return out;
}

void resizeHeader(std::vector<std::uint8_t>& png, std::uint32_t width, std::uint32_t height)
{
    constexpr std::size_t kIhdrType = 12, kIhdrData = 16, kIhdrCrc = 29;
    for (int i = 0; i < 4; ++i) {
        png.at(kIhdrData + i) = static_cast<std::uint8_t>(width >> (24 - 8 * i));
        png.at(kIhdrData + 4 + i) = static_cast<std::uint8_t>(height >> (24 - 8 * i));
    }
    const auto crc = static_cast<std::uint32_t>(crc32(0, png.data() + kIhdrType, kIhdrCrc - kIhdrType));
    for (int i = 0; i < 4; ++i) png.at(kIhdrCrc + i) = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
}

}  // namespace qz::test

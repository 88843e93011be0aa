// The baseline JPEG decoder over bytes in memory: no screen, no files. JPEGGET (jpeg_get.hpp)
// is the file loader built on it.
#pragma once

#include "image/jpeg_header.hpp"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace qz {

// The rectangle [x1, x2) x [y1, y2) of the picture to decode. x1 < 0 means the whole width,
// y1 < 0 the whole height; the defaults ask for the whole picture, as the game always does.
struct JpegRect {
    int x1 = -1;
    int y1 = -1;
    int x2 = 0x10000000;
    int y2 = 0x10000000;
};

// Largest target the decoder creates (8192 x 8192); a header that asks for more gets 120.
constexpr std::size_t kJpegMaxPixels = std::size_t{1} << 26;

class JpegDecoder {
public:
    explicit JpegDecoder(std::span<const std::uint8_t> data, std::size_t maxPixels = kJpegMaxPixels);

    // Reads the headers up to the first scan and settles the target rectangle. Returns 0 or
    // the status that refuses the picture.
    int start(const JpegRect& rect = {});

    // After a successful start: the size of the target and the value its pixels start with.
    int targetWidth() const { return targetWidth_; }
    int targetHeight() const { return targetHeight_; }
    std::uint32_t background() const { return header_->scanComponentCount == 3 ? 0xFF000000u : 0u; }
    const jpeg::JpegHeader& header() const { return *header_; }

    // Decodes the scan into targetWidth() x targetHeight() row-major pixels: colour pixels are
    // 0xFFRRGGBB, grey ones 0x00VVVVVV. Damaged data leaves the rest of the target untouched.
    void decode(std::uint32_t* pixels) const;

private:
    std::span<const std::uint8_t> data_;
    std::size_t maxPixels_;
    std::unique_ptr<jpeg::JpegHeader> header_;
    int x1_ = 0;
    int y1_ = 0;
    int targetWidth_ = 0;
    int targetHeight_ = 0;
};

struct JpegPicture {
    int status = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // empty unless status is 0
};

// Decodes the rectangle of a JPEG held in memory.
JpegPicture jpegDecodeMemory(std::span<const std::uint8_t> data, const JpegRect& rect = {},
                             std::size_t maxPixels = kJpegMaxPixels);

}  // namespace qz

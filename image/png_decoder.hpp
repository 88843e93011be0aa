// The PNG decoder over bytes in memory: every standard colour type and bit depth becomes
// 0xFFRRGGBB pixels; fully transparent pixels become the magenta mask colour so that the
// transparent blit skips them, every other pixel is opaque.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qz {

constexpr std::size_t kPngMaxPixels = std::size_t{1} << 26;

struct PngPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Decodes a PNG held in memory; nothing for data that is not a PNG, is damaged, or is larger
// than maxPixels.
std::optional<PngPicture> pngDecodeMemory(std::span<const std::uint8_t> data,
                                          std::size_t maxPixels = kPngMaxPixels);

}  // namespace qz

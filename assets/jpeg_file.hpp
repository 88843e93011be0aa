// Writes a picture as a baseline JFIF JPEG with 4:2:0 chroma subsampling: the only kind of
// JPEG the game's own decoder reads (two quantisation tables, two Huffman tables per class,
// no restart markers, no progressive scans).
#pragma once

#include "assets/canvas.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace qz::assets {

std::vector<std::uint8_t> encodeJpeg(const Canvas& picture, int quality);

// Writes the bytes to path, creating nothing but the file; throws std::runtime_error on failure.
void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace qz::assets

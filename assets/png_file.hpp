// Writes an 8-bit RGB PNG (colour type 2) into memory; the ship pictures use magenta as the
// mask, so no alpha channel is needed.
#pragma once

#include <cstdint>
#include <vector>

namespace qz::assets {

// rgb holds width * height packed RGB triples, row by row.
std::vector<std::uint8_t> encodePng(const std::vector<std::uint8_t>& rgb, int width, int height);

}  // namespace qz::assets

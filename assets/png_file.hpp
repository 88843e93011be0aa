// Writes 8-bit PNGs into memory: RGB (colour type 2) for the ship pictures, which use magenta
// as the mask, and RGBA (colour type 6) for the desktop icon, which a menu draws on any colour.
#pragma once

#include <cstdint>
#include <vector>

namespace qz::assets {

// rgb holds width * height packed RGB triples, row by row.
std::vector<std::uint8_t> encodePng(const std::vector<std::uint8_t>& rgb, int width, int height);
// rgba holds width * height packed RGBA quadruples, row by row, alpha not premultiplied.
std::vector<std::uint8_t> encodePngRgba(const std::vector<std::uint8_t>& rgba, int width, int height);

}  // namespace qz::assets

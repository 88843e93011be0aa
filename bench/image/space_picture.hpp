// A deterministic space-like picture (dark sky, nebula clouds, stars with glow) like the
// game's backgrounds, as 8-bit RGB.
#pragma once

#include <cstdint>
#include <vector>

namespace qz::bench {

std::vector<std::uint8_t> spacePicture(int width, int height, std::uint32_t seed);

}  // namespace qz::bench

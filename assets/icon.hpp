// The game's own icon for desktop menus: a chamfered panel in the interface style (dark space,
// glowing cyan edge) holding the home world with its orbit and a ship on its way out. Painted
// for each size separately, so the small one stays sharp instead of being scaled down.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace qz::assets {

constexpr std::array<int, 3> kIconSizes{48, 128, 256};

// Packed RGBA rows of size x size pixels; outside the panel is fully transparent.
std::vector<std::uint8_t> paintIcon(int size);

}  // namespace qz::assets

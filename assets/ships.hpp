// The ship pictures ("./material/4/<colour>/<type>.orn-games"): 32 x 32 RGB PNG, eight types
// in the eight player colours, magenta (255, 0, 255) around the ship as the transparency mask.
#pragma once

#include <cstdint>
#include <vector>

namespace qz::assets {

constexpr int kShipSize = 32;

// Player palette, colour index 1..8 -> red, green, blue.
struct PlayerColour {
    int red, green, blue;
};
PlayerColour playerColour(int colour);

// Packed RGB bytes of ship type (1..8) in player colour (1..8).
std::vector<std::uint8_t> paintShip(int colour, int type);

}  // namespace qz::assets

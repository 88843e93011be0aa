// Turning a player's reported ship list texts into ShipLists, checking every entry.
#pragma once

#include "game/channel.hpp"

#include <string_view>

namespace qz::server {

struct ShipListTexts {
    std::string_view type, hull, shield, docked, location, route, fleet, x, y, firepower, highestFleet;
};

// Throws BadRequest when a list is malformed, the lists differ in length, or a hangar or
// location names a system outside 0..stars.
ShipLists readShipLists(const ShipListTexts& texts, int stars);

}  // namespace qz::server

// One simulation step of the running sandbox map, in its fixed order: scrolling, the day
// tick, the ship pass with repair and undocking, the two overlays, join and cut of the ship
// lists, and the route computation.
#pragma once

#include "frame/core/rahmen.hpp"
#include "game/spielstand.hpp"

namespace qz {

void simulationsschritt(Rahmen& rahmen, Spielstand& spiel);

// The ship pass on the own working set (sandbox and multiplayer): repair of every own ship,
// and the pending undock request.
void schiffsdurchlauf(Spielstand& spiel);

}  // namespace qz

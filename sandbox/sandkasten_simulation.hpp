// One simulation step of the running sandbox map, in its fixed order: scrolling, the day
// tick, the ship pass with repair and undocking, the two overlays, join and cut of the ship
// lists, and the route computation.
#pragma once

#include "frame/rahmen.hpp"
#include "state/spielstand.hpp"

namespace qz {

void simulationsschritt(Rahmen& rahmen, Spielstand& spiel);

}  // namespace qz

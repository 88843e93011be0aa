// The ship pass of the running map, shared by the sandbox and multiplayer loops.
#pragma once

#include "state/spielstand.hpp"

namespace qz {

// The ship pass on the own working set (sandbox and multiplayer): repair of every own ship,
// and the pending undock request.
void schiffsdurchlauf(Spielstand& spiel);

}  // namespace qz

// The multiplayer day step: the own working ships joined into their lists, accounting of
// every own system (noted for the server in the "pi" lists), shipbuilding, the settlement,
// research, the trade links with agreements, and the cut of the own ships and trade routes.
#pragma once

#include "state/spielstand.hpp"
#include "multiplayer/session/mehrspieler.hpp"

namespace qz {

void mehrspielerTag(Spielstand& spiel, Mehrspieler& mp, double jetzt);

// The own working ships joined into the master lists (destroyed ones dropped), the hangar's
// selected ship renumbered with them; nothing while the set is empty.
void eigeneSchiffeVerbinden(Spielstand& spiel);

// The own set's master lists and working arrays brought together: joined (dropping destroyed
// ships) and cut again while there are ships, cut from the lists otherwise.
void eigeneSchiffeAbgleichen(Spielstand& spiel);

}  // namespace qz

// A recorded state in the game's own state model, so that the star map's and the fleets'
// drawing show it as they show a running game: the systems with their owners, every seat's
// ship lists cut into its working set, and the seats' colours.
#pragma once

#include "replay/replay_state.hpp"
#include "state/spielstand.hpp"

namespace qz {

void karteUebernehmen(const replay::ReplayState& zustand, Spielstand& spiel);

// The colour of seat p's colour index (1..8); grey for a seat without one.
Farbe sitzFarbe(const Spielstand& spiel, int p);

}  // namespace qz

// Whether a game state read from outside is one the game itself could have reached: every
// system number within the map, every selection within its list, the thirteen ship lists of
// equal length with numbers where numbers belong, types the game has, the map of the
// background's size, and every count and sum within the bounds that play never passes. The
// routines trust all of this, so a state that fails here must never be played.
#pragma once

#include "state/spielstand.hpp"

namespace qz {

bool spielstandMoeglich(const Spielstand& spiel);

}  // namespace qz

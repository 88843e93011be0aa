// The colour a computer player asks for in the lobby, as a person clicks a free swatch.
#pragma once

#include "state/spielstand.hpp"

namespace qz {

// The first of the eight colours, counted from the seat's own number on (seat 3: 3, 4, ... 8,
// 1, 2), that no other seat holds; 0 when all are held. Computer players seated together would
// otherwise all ask for the same first free colour, and all but one would have to ask again.
int farbeWaehlen(const Spielstand& spiel, int eigen);

}  // namespace qz

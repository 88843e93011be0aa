// Whether a game state read from outside is one the game itself could have reached: every
// system number within the map, every selection within its list, the thirteen ship lists of
// equal length with numbers where numbers belong, types the game has, the map of the
// background's size, and every count and sum within the bounds that play never passes. The
// routines trust all of this, so a state that fails here must never be played.
#pragma once

#include "state/spielstand.hpp"

#include <string_view>

namespace qz {

bool spielstandMoeglich(const Spielstand& spiel);

// A decimal number as the game writes one (an optional "-" and at most ten digits) within
// min..max: how a save's every number is taken, and what a server's reply must hold where the
// same values arrive.
bool zahlImBereich(std::string_view text, long long min, long long max);

// The thirteen master lists alone, as spielstandMoeglich checks them: equal in length, every
// value in its field's range for a map of that many systems and that size.
bool schiffslistenMoeglich(const SchiffListen& listen, int Sternanzahl, int hoechsteFlotte, int kartenBreite,
                           int kartenHoehe);

}  // namespace qz

// The lobby's reply: the started flag and star count, the host's session id, the four slot
// records, and for every player but the host the star map the host uploaded.
#pragma once

#include "state/spielstand.hpp"
#include "multiplayer/session/mehrspieler.hpp"

#include <string_view>

namespace qz {

// Fortification base of a planet type as the star-map download sets it; false for a type
// that keeps its previous value.
bool befestigungVonTyp(int typ, int& basis);

// The star-map records "NAM" to "STK", in that order; "TYP" also sets the fortification base,
// value and maximum by type. An index beyond the system capacity raises error 6.
void sternkarteLesen(std::string_view antwort, Spielstand& spiel);

// The whole lobby reply, under the routine error handler.
void lobbyAntwortAnwenden(std::string_view antwort, Spielstand& spiel, Mehrspieler& mp);

}  // namespace qz

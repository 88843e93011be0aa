// Join and cut of the ship lists: the master lists are comma text (the wire format), the working
// sets are the same lists cut into arrays. Both run every frame, so they reuse their storage.
#pragma once

#include "state/spielstand.hpp"

namespace qz {

// Cuts each of the thirteen master lists at "," into the working set; the count is the highest
// element index of the last list cut.
void schiffeSchneiden(const SchiffListen& listen, SchiffSatz& satz);

// Rebuilds the master lists from ships 1..anzahl of the working set, dropping ships whose typ
// does not read as a number above 0 (later ships move down one place).
void schiffeVerbinden(const SchiffSatz& satz, SchiffListen& listen);

// The number ship `schiff` of the working set takes when the set is joined (destroyed ships
// drop out, later ones move down); 0 when it drops out itself or is not in the set.
int nummerNachVerbinden(const SchiffSatz& satz, int schiff);

// Appends one ship: "," + value to each master list, in the lists' order.
void schiffAnhaengen(SchiffListen& listen, const std::array<long long, kSchiffsfelder>& werte);

}  // namespace qz

// The two pre-drawn overlays of the star map, shared by both modes: the outer edge of the
// union of the scan circles around the own systems, and the trade lines between linked systems.
#pragma once

#include "state/spielstand.hpp"

namespace qz {

// Replaces the scan overlay: rings around every own system, then their insides cut away.
void scanOverlayNeu(Spielstand& spiel);

// Replaces the trade overlay: one line per pair of systems in the cut trade list.
void handelOverlayNeu(Spielstand& spiel);

}  // namespace qz

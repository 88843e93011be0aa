// The running star map on screen: the two pre-drawn overlays (the outer edge of the union of
// the scan circles, the trade lines), the frame of the map with its systems and selection,
// and the status bar with money and supply.
#pragma once

#include "frame/core/rahmen.hpp"
#include "game/spielstand.hpp"

namespace qz {

// Replaces the scan overlay: rings around every own system, then their insides cut away.
void scanOverlayNeu(Spielstand& spiel);

// Replaces the trade overlay: one line per pair of systems in the cut trade list.
void handelOverlayNeu(Spielstand& spiel);

// Background, overlays, systems (with the click that opens one and the H key), the fleets,
// the opened system's screen, docking and the status bar.
void karteZeichnen(Rahmen& rahmen, Spielstand& spiel);

void statusleisteZeichnen(Rahmen& rahmen, const Spielstand& spiel);

}  // namespace qz

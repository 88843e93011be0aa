// The running star map on screen: the frame of the map with its pre-drawn overlays, its
// systems and selection, and the status bar with money and supply.
#pragma once

#include "frame/rahmen.hpp"
#include "state/spielstand.hpp"

namespace qz {

// Background, overlays, systems (with the click that opens one and the H key), the fleets,
// the opened system's screen, docking and the status bar.
void karteZeichnen(Rahmen& rahmen, Spielstand& spiel);

void statusleisteZeichnen(Rahmen& rahmen, const Spielstand& spiel);

}  // namespace qz

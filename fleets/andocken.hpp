// The bar at the bottom of the star map while a fleet is selected: its composition per ship
// type and the "Andocken" button that docks the whole fleet in the hangar of the own system at
// which it stands.
#pragma once

#include "frame/rahmen.hpp"
#include "state/spielstand.hpp"

namespace qz {

// "Andocken": every ship of the fleet whose first ship is `vertreter` goes into the hangar of
// `system`, leaving space.
void flotteAndocken(SchiffSatz& schiffe, int Schiffanzahl, int vertreter, int system);

// Called while a fleet is selected and no system screen is open; does nothing otherwise.
void SUB_FLOTTE_ANDOCKEN(Rahmen& rahmen, Kartenzustand& karte, SchiffSatz& schiffe, Sternsysteme& systeme,
                         int Schiffanzahl, int mausX, int mausY, int eigenerSpieler);

}  // namespace qz

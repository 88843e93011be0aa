// The fleets of one player on the star map, once per frame: drawing, selection with the mouse,
// destination choice within range, route requests and delivery, movement one pixel per tick,
// arrival, the list of fleets standing together, and the colony ship or heavy battleship that
// stands at the opened system.
#pragma once

#include "frame/rahmen.hpp"
#include "state/spielstand.hpp"

namespace qz {

// Flight range in pixels for a level of "Triebwerk Perfektion".
inline int flugReichweite(int triebwerkStufe) { return 5 * triebwerkStufe + 100; }

// Sends fleet `flotte` (first ship in space: `vertreter`) of the working set to system `ziel`,
// parking at the player's offset there, as a click on the system does.
void flotteSenden(SchiffSatz& schiffe, int Schiffanzahl, const Sternsysteme& systeme, const Spieler& spieler,
                  int spielerNummer, int flotte, int vertreter, int ziel);

// The map offers system `ziel` as a destination of the fleet whose first ship is `vertreter`.
bool zielInReichweite(const SchiffSatz& schiffe, int vertreter, const Sternsysteme& systeme, int ziel, int reichweite);

// The player's ships are the working set `schiffe` with Schiffanzahl ships; spielerNummer is
// the player's slot. The pointer is (mausX, mausY); the event is rahmen.Mausereignis.
void SUB_FLOTTEN(Rahmen& rahmen, Kartenzustand& karte, SchiffSatz& schiffe, Sternsysteme& systeme, Spieler& spieler,
                 const Forschung& forschung, int spielerNummer, int Schiffanzahl, int Sternanzahl,
                 int gewaehltesSystem, int mausX, int mausY, int scrollX, int scrollY);

}  // namespace qz

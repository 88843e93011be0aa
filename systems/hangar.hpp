// The hangar of an own system: the tab that lists the docked ships in pages of 14, forms and
// dissolves fleets, changes their members and sends a fleet out; the per-frame repair of every
// ship; and the undocking that the game loop carries out for a pending request.
#pragma once

#include "frame/core/rahmen.hpp"
#include "game/spielstand.hpp"

#include <string>

namespace qz {

// The hangar tab of the opened system; Tastencode is accepted and not read.
void SUB_STERNSYSTEM_HANGER(Rahmen& rahmen, int eigenerSpieler, int stufe9, int stufe10, int& abdockFlotte,
                            int& hoechsteFlotte, int& hangarSchiff, int& hangarFlotte, int& mausX, int& mausY,
                            int& Mausereignis, int& Tastencode, int& flottenSeite, int& hangarSeite,
                            SchiffSatz& schiffe, int Schiffanzahl, int system);

// Repair of one ship for one frame: shields everywhere, hull only in a hangar. The levels are
// those of topics 9, 11, 10 and 12.
void SUB_SCHIFFEREPARIEREN(int stufe9, int stufe11, int stufe10, int stufe12, const std::string& typ,
                           std::string& schild, std::string& huelle, const std::string& angedockt);

// Undocking of ship k for the pending request abdockFlotte: a member of that fleet leaves its
// hangar and stands at the player's parking point of the system. The caller clears the request
// after the pass over all ships.
void schiffAbdocken(SchiffSatz& schiffe, int k, int abdockFlotte, const Sternsysteme& systeme, const Spieler& spieler,
                    int spielerNummer);

}  // namespace qz

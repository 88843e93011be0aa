// The hangar of an own system: the tab that lists the docked ships in pages of 14, forms and
// dissolves fleets, changes their members and asks for a fleet to be sent out (the game loop's
// pass over the ships carries the request out); and the per-frame repair of every ship.
#pragma once

#include "frame/rahmen.hpp"
#include "state/spielstand.hpp"

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

}  // namespace qz

// Shipbuilding: the tab with the three-slot queue and the catalogue of the eight types, where
// orders are paid, and the day's work of a shipyard that turns finished orders into ships
// docked in its hangar.
#pragma once

#include "frame/rahmen.hpp"
#include "state/spielstand.hpp"

namespace qz {

// One day of work on the build queue of system i: each order gets werft / bauAuftraege (fixed at
// entry, halves to even); a finished order becomes a new last ship of all thirteen lists.
void SUB_SCHIFFBAU(int eigenerSpieler, int besitzer, SchiffListen& listen, int werft, Feld2<int>& bauAufwand,
                   Feld2<int>& bauFortschritt, Feld2<int>& bauTyp, int i, int& bauAuftraege);

// An order of a ship of type `typ` in the first free of the three slots of `system`, paid from
// `geld` (a colony ship also from the population); false, and nothing changed, when the queue
// is full or the order cannot be paid.
bool bauauftragErteilen(int typ, int system, int& einwohner, int& geld, Feld2<int>& bauAufwand, Feld2<int>& bauTyp,
                        int& bauAuftraege);

// The shipbuilding tab of the opened system `system`.
void SUB_STERNSYSTEM_SCHIFFBAU(Rahmen& rahmen, int& einwohner, int katalogOffen, int eigenerSpieler, int system,
                               int& geld, int mausX, int mausY, int& Mausereignis, Feld2<int>& bauAufwand,
                               Feld2<int>& bauFortschritt, Feld2<int>& bauTyp, int& bauAuftraege);

}  // namespace qz

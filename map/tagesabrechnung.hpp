// The daily accounting: every own system grows its planet values toward their maxima and
// regenerates its defences, the day's money, supply and research are summed and settled,
// and research, trade and shipbuilding take their daily step.
#pragma once

#include "state/spielstand.hpp"

namespace qz {

// One own system s: maxima, growth, defences and its share of the day's accumulators.
void SUB_TAGESABRECHNUNG(Sternsysteme& systeme, int s, const Forschung& forschung, Wirtschaft& wirtschaft);

// Sets the start of the next day after the one due now at clock value `jetzt`: 5 s after this
// one was due, so late passes do not stretch the days; 5 s from now after a pause of the map,
// so at most one day is settled at once.
void naechsterTagBeginnt(Wirtschaft& wirtschaft, double jetzt);

// Settlement of the day's totals: research spending, money, supply and research points.
void tagesabschluss(Wirtschaft& wirtschaft);

// The whole day tick at clock value `jetzt`: the working set joined into the master lists,
// accounting and shipbuilding per system, the next day's start, the settlement, research,
// trade, and the cut of the ship and trade lists.
void tageswechsel(Spielstand& spiel, double jetzt);

}  // namespace qz

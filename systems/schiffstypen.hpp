// The eight ship types: prices, build points, shields, hull and firepower, and the texts the
// shipbuilding catalogue shows; plus the repair maxima that research raises.
#pragma once

#include <string>

namespace qz {

struct Schiffstyp {
    int preis;
    int bauPunkte;
    int schild;
    int huelle;
    int feuerkraft;
};

// Type 1 is the colony ship, type 7 the heavy battleship; anything else returns a zero type.
const Schiffstyp& schiffstyp(int typ);

// The colony ship also costs population and needs some to be left.
constexpr int kKolonieEinwohnerPreis = 15;
constexpr int kKolonieEinwohnerMindestens = 17;

// Maxima of a ship with the levels of "Schildenergie Perfektionieren" (9) and "Rumpf Verstärken" (10).
int schildMaximum(int typ, int stufe9);
int huelleMaximum(int typ, int stufe10);

// The name the catalogue shows: only the colony ship has one.
std::string schiffsName(int typ);

}  // namespace qz

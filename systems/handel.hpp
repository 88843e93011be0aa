// The day's scanner discovery and trade links: each own system's deep-space scanner discovers
// the systems strictly inside its radius, and each trading post links the unlinked own systems
// strictly inside its reach (in multiplayer also those of partners with an agreement in force).
// The routine rebuilds the list of trade lines ("," + hub + "," + linked system per pair).
#pragma once

#include "state/spielstand.hpp"

#include <string>

namespace qz {

// Distance of two systems in whole map pixels (halves to even).
int systemAbstand(const Feld2<int>& pos, int a, int b);

// Scanner radius for a level of "Tiefenraumscanner".
inline int scanRadius(int stufe5) { return 5 * stufe5 + 40; }

void SUB_HANDELSABKOMMEN_BERECHNUNG(int eigenerSpieler, std::string& handelsliste, int stufe5, int stufe6,
                                    Feld<int>& entdecker, Feld<int>& besitzer, Feld2<int>& pos, Feld<int>& handel,
                                    Feld<int>& handelsposten, int N, int& handelNeuzeichnen);

// Multiplayer: abkommen(q) is the agreement state with player q (0 none, 1 offered, 2 in force).
void SUB_MP_HANDELSABKOMMEN_BERECHNUNG(int eigenerSpieler, int Spieleranzahl, std::string& handelsliste,
                                       const Feld<int>& abkommen, int stufe5, int stufe6, Feld<int>& entdecker,
                                       Feld<int>& besitzer, Feld2<int>& pos, Feld<int>& handel,
                                       Feld<int>& handelsposten, int N, int& handelNeuzeichnen);

}  // namespace qz

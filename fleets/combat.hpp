// Fleet combat at one system in multiplayer: every client applies to its own ships the damage
// the other players' ships at the same system deal, as the server's battle record lists them.
#pragma once

#include "platform/feld.hpp"

#include <array>
#include <string>

namespace qz {

// One other player's participants as the battle record lists them (comma lists with a
// leading comma). Only the firepower counts for the damage.
struct KampfGegner {
    int spieler = 0;
    int anzahl = 0;
    std::string schiffe;
    std::string huelle;
    std::string schild;
    std::string feuerkraft;
};

// Damage of one enemy spread over n own participants: the firepower sum / n, halves to even.
int kampfSchaden(const std::string& feuerkraftListe, int eigeneTeilnehmer);

// Each own participant, in list order, takes the share of every enemy in increasing player
// order, shields first; a ship whose hull ends below 1 gets typ and flotte "0". After a loss the
// selection is kept only while the selected fleet still has a ship in the own lists.
void SUB_MP_KAMPF(int eigenerSpieler, int& gewaehlteFlotte, int& gewaehltesSchiff, Feld<std::string>& typ,
                  Feld<std::string>& schild, Feld<std::string>& huelle, Feld<std::string>& flotte,
                  const std::string& eigeneSchiffe, int n, const std::array<KampfGegner, 3>& gegner);

}  // namespace qz

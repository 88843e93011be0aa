// What the fleet pass does to the game without drawing or input: one movement tick on the
// fleet's clock, arrival and discovery, the route request and its delivery, the colony ship or
// heavy battleship standing at the opened system, docked ships lost with their system, and the
// planetary attack. The fleet pass on screen runs it between drawing the fleets and the
// selection panel; a program without a screen runs it alone.
#pragma once

#include "state/spielstand.hpp"

#include <string>

namespace qz {

// True while a route still has digits to fly (its first character is 1..9).
inline bool routeLaeuft(const std::string& route) { return !route.empty() && route[0] >= '1' && route[0] <= '9'; }

// The ship stands at its destination.
bool stehtStill(const SchiffSatz& s, int i);

// The first ship of each fleet in space, by fleet number 1..anzahlFlotten (0: none); ships that
// are docked, deleted or in no fleet have none.
std::vector<int> flottenVertreter(const SchiffSatz& s, int Schiffanzahl, int anzahlFlotten);

void flottenBewegen(Kartenzustand& karte, SchiffSatz& schiffe, Sternsysteme& systeme, const Spieler& spieler,
                    int spielerNummer, int Schiffanzahl, int Sternanzahl, int gewaehltesSystem, double jetzt);

}  // namespace qz

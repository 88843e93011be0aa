// The computer player's hands: each order of the strategy carried out as the person's click on
// the screen would carry it out, through the same routines, and only where the screen would
// offer it (an own system's tabs, a fleet standing within range, a colony ship standing at a
// discovered free system, a battleship standing at a foreign one). Nothing else changes.
#pragma once

#include "bot/strategy/entscheidungen.hpp"
#include "multiplayer/session/mehrspieler.hpp"
#include "state/spielstand.hpp"

#include <deque>

namespace qz {

struct Haende {
    // "Flotte abdocken" is one click per frame while no other fleet waits to leave: fleets
    // formed in one round leave in the passes after it.
    std::deque<int> abzudocken;
};

// Carries out one order on the own player's state; false when the screen would not have
// offered it (nothing changed then).
bool ausfuehren(const Entscheidung& entscheidung, Spielstand& spiel, Mehrspieler& mp, Haende& haende);

// Before a pass: the next formed fleet asked to leave its hangar, when none is leaving.
void abdockenAnfordern(Spielstand& spiel, Haende& haende);

}  // namespace qz

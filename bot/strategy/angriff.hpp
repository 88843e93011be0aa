// Attacking weaker neighbours with heavy battleships, only where it can win: the fleet must
// beat by the combat rule whatever it can see at the target, and flight plus siege must fit
// the level's horizon. The siege takes fortification / (25 x battleships) reports of 2 s, i.e.
// 62.5 x battleships a day; a planet never shoots back. The fortification of a foreign planet
// is not shown, so its type's base stands for it. After a conquest the fleet stays on guard
// (one report retakes the planet while its fortification is low); when the target turns out
// too strong (a battle record there) it breaks off to the nearest own system.
#pragma once

#include "bot/strategy/entscheidungen.hpp"

namespace qz {

// Game days a siege of this fortification takes with n heavy battleships (n >= 1).
double belagerungsTage(int befestigung, int schlachtschiffe);

std::vector<Entscheidung> angreifen(const Lage& lage, const StufenWerte& stufe, Gedaechtnis& g);

}  // namespace qz

// Forming fleets: the warships of a system (the scouts' type aside) stand guard at it as one
// fleet in space, since docked ships never fight. A new ship joins by docking the guard for a
// moment and forming the fleet again from all of them; not while an enemy is in sight.
#pragma once

#include "bot/strategy/entscheidungen.hpp"

namespace qz {

std::vector<Entscheidung> flottenBilden(const Lage& lage, const Gedaechtnis& g);

}  // namespace qz

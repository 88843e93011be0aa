// Defending home and colonies. A threat is a foreign fleet in sight of an own system, or the
// system under attack; the player acts on it only after its reaction delay, and on as many
// threatened systems at once as it has attention for, the most valuable first. Where the ships
// at hand win by the combat rule, they fight: docked guards undock, a guard from another
// system comes over. Where they would lose, the guard goes into the hangar, where no battle
// reaches it.
#pragma once

#include "bot/strategy/entscheidungen.hpp"

namespace qz {

// Notes the threatened own systems and when each was first seen; forgets those that are quiet.
void bedrohungenMerken(const Lage& lage, Gedaechtnis& g);

std::vector<Entscheidung> verteidigen(const Lage& lage, const StufenWerte& stufe, const Gedaechtnis& g);

}  // namespace qz

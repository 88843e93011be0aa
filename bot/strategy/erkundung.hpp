// Scouting: lone ships of the scout type fly to the nearest system nobody of the own side has
// seen, one target per scout; how many scouts a player keeps is its level's. Scouts find
// colony targets, trade partners and the neighbours worth attacking.
#pragma once

#include "bot/strategy/entscheidungen.hpp"

namespace qz {

std::vector<Entscheidung> erkunden(const Lage& lage, const StufenWerte& stufe, Gedaechtnis& g);

}  // namespace qz

// Colonising by value and distance: colony ships in a hangar go out alone, a colony ship at an
// unowned system worth having settles there, the others fly to the best target as many hops
// away as the level plans ahead, or one hop closer to one further off, or to an undiscovered
// system to look.
#pragma once

#include "bot/strategy/entscheidungen.hpp"

namespace qz {

// A discovered system pays back its colony ship within the horizon when its population base
// reaches this (16-17 days at 30 and more; below, the colony costs more research than it earns).
constexpr int kLohnendeEinwohner = 30;

// What a discovered unowned system is worth as a colony: money first (population), then the
// yard, then research; 0 for what is not known or not free.
int kolonieWert(const LageSystem& s);

std::vector<Entscheidung> kolonisieren(const Lage& lage, const StufenWerte& stufe, Gedaechtnis& gedaechtnis);

}  // namespace qz

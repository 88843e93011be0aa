// Research by need: range ("Triebwerk Perfektion") first while no colony target lies within
// one hop of an own system and beside everything else until the hop network is open, income
// ("Biosphäre Forschung") once there are several colonies,
// ship shields once enemy warships have been met, the scanner for a player that scouts. The
// budget stays at 0 (money buys the defence) unless the money lies idle.
#pragma once

#include "bot/strategy/entscheidungen.hpp"

namespace qz {

// The range level from which the hop network of a 200-system map is open.
constexpr int kNetzOffen = 12;

// Money above which part of the day's income goes into research instead of lying idle.
constexpr int kEtatAbGeld = 12000;
// While nothing lies within one hop, money above this (a colony ship, 380 G, and a guard, 1080 G,
// with room to spare) lies idle: the whole income goes into research.
constexpr int kEingeschlossenAbGeld = 2000;

// A colony ship standing at one of the own systems could reach a free system worth settling,
// or one not yet seen.
bool kolonieZielInReichweite(const Lage& lage);

std::vector<Entscheidung> forschungPlanen(const Lage& lage, const StufenWerte& stufe, const Gedaechtnis& g);

}  // namespace qz

// Who wins a fleet battle: the rounds of the combat rule played out on two forces. Every ship
// starts each round with its shield full (it recharges every frame), takes the enemy's total
// firepower divided by its own side's ship count, and loses hull only by what exceeds its
// shield; a ship below 1 hull is gone. Planets never shoot.
#pragma once

#include "bot/strategy/entscheidungen.hpp"
#include "bot/strategy/flotten_sicht.hpp"

#include <vector>

namespace qz {

struct Kampfschiff {
    int schild = 0;
    int huelle = 0;
    int feuerkraft = 0;
};

struct Ausgang {
    int ueberlebendeA = 0;
    int ueberlebendeB = 0;
    int runden = 0;
};

struct Schlacht {
    std::vector<int> ueberlebende;  // per side
    int runden = 0;
};

// A battle of two to four sides (players), round by round until at most one side is left,
// nobody lost hull in a round, or maxRunden have passed. Each side takes from every other its
// firepower divided by the own ship count, rounded, as the game's combat step deals it.
Schlacht schlachtRechnen(std::vector<std::vector<Kampfschiff>> seiten, int maxRunden = 100);

// The same for two sides.
Ausgang gefechtRechnen(std::vector<Kampfschiff> a, std::vector<Kampfschiff> b, int maxRunden = 100);

// Side a wins: b is gone and a is not, or b is empty from the start.
inline bool gewinnt(const Ausgang& e) { return e.ueberlebendeB == 0 && e.ueberlebendeA > 0; }

// A fleet's ships with their shields at the maximum the research gives and their hull as it is.
std::vector<Kampfschiff> flottenKraft(const Lage& lage, const std::vector<int>& schiffe);

// How long a battle's force is expected where it was last met, in seconds of play (12 days).
inline constexpr double kGefechtGedaechtnis = 60.0;

// The enemy the player must expect at a system, from what its screens show: every foreign
// fleet visible at or near it counted as three ships of its first ship's picture, or as many as
// its player's firepower proven on own ships before; and no less firepower than the own losses
// prove there now, or proved within kGefechtGedaechtnis (more ships of the picture seen). Empty
// when nothing is seen or remembered there.
std::vector<Kampfschiff> feindKraft(const Lage& lage, const Gedaechtnis& g, int system);

// A battle is going on at the system, or one was fought there within kGefechtGedaechtnis: no
// place for a ship that cannot fight.
bool gefechtBekannt(const Lage& lage, const Gedaechtnis& g, int system);

}  // namespace qz

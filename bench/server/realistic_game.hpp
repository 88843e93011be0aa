// A realistic "spiel" load: four players with 200 ships each on a 200-star map, some
// fleets in flight, some docked, some meeting others at the same system.
#pragma once

#include "scenario.hpp"

#include <vector>

namespace qz::server::bench {

inline constexpr int kPlayers = 4;
inline constexpr int kStars = 200;
inline constexpr int kShipsPerPlayer = 200;

std::vector<test::Ship> fleetOf(int slot, int step = 0);

// Starts the game and sends every player's ships once; returns the game.
test::Game prepareRealisticGame(const test::Send& send);

// The form pairs of one poll of the player in `slot`; with `step` > 0 its ships in flight
// have flown on that many polls (2 points right and 1 down each, one route digit every 4),
// as the lists of a game in motion change from one poll to the next.
test::Pairs realisticPoll(const test::Game& game, int slot, int step = 0);

}  // namespace qz::server::bench

// A realistic "spiel" load: four players with 200 ships each on a 200-star map, some
// fleets in flight, some docked, some meeting others at the same system.
#pragma once

#include "scenario.hpp"

#include <vector>

namespace qz::server::bench {

inline constexpr int kPlayers = 4;
inline constexpr int kStars = 200;
inline constexpr int kShipsPerPlayer = 200;

std::vector<test::Ship> fleetOf(int slot);

// Starts the game and sends every player's ships once; returns the game.
test::Game prepareRealisticGame(const test::Send& send);

// The form pairs of one poll of the player in `slot`.
test::Pairs realisticPoll(const test::Game& game, int slot);

}  // namespace qz::server::bench

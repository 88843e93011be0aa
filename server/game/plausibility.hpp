// What the game's own rules can produce, so that a client cannot report more: planet shields
// and fortifications grow with research levels, and a level takes a game day (5 s) at least.
#pragma once

#include "game/channel.hpp"
#include "game/game_input.hpp"

namespace qz::server {

// The fortification a system of this type starts with (5000 for a home planet; an unknown
// type counts as the highest).
int fortificationBase(int systemType);

// The highest research level any topic can have reached `seconds` after the game started:
// one level a day from the first day on, and a few days of slack for the clients' clocks.
int highestResearchLevel(double seconds);

// The highest shield and fortification system i (1-based) can have at that time.
int highestShield(double seconds);
int highestFortification(const StarMap& map, int system, double seconds);

// BadRequest when a planet report ("pi") claims more than the rules allow by now.
void requirePlausibleReports(const ChannelState& channel, const GameInput& input, double now);

// BadRequest when the host's star map holds shields or fortifications that a new game
// cannot have.
void requirePlausibleMap(const StarMap& map);

}  // namespace qz::server

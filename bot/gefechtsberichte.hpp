// The battle records of a reply as the player may know them: only the battles its own ships
// take part in, and of each one the enemy players' forces the record lists (ship count, summed
// firepower and hull, weakest shield). Records without own ships are not for this player.
#pragma once

#include "bot/strategy/lage.hpp"

#include <string_view>
#include <vector>

namespace qz {

std::vector<Gefecht> gefechteLesen(std::string_view antwort, int eigenerSpieler, int sternanzahl);

}  // namespace qz

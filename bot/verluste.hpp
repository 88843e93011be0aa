// What the own ships standing in space lost in one exchange, by system: the hull of each own ship
// before the reply and after it, as the player's hangar and fleet panel show it. Between the two
// only the reply is applied (a battle damages ships, a destroyed one leaves the lists, others
// keep their order), so per system the ships can only become fewer and their hull lower.
#pragma once

#include "bot/strategy/lage.hpp"

#include <map>
#include <vector>

namespace qz {

struct Aufstellung {
    int schiffe = 0;
    long long huelle = 0;
    int schildMin = 0;  // the weakest shield maximum the research gives them
};

// The own ships in space at a system (not docked, not in flight), by that system.
std::map<int, Aufstellung> eigeneImRaum(const Spielstand& spiel);

// The systems where the own ships lost hull or ships between the two line-ups.
std::vector<Verlust> verlusteZwischen(const std::map<int, Aufstellung>& vorher, const std::map<int, Aufstellung>& nachher);

}  // namespace qz

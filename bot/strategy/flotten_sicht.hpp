// The own fleets in space as the map shows them, and where foreign fleets are seen: the pieces
// several decision routines share.
#pragma once

#include "bot/strategy/lage.hpp"

#include <array>
#include <vector>

namespace qz {

struct EigeneFlotte {
    int nummer = 0;
    int ort = 0;          // system where it stands, 0 in flight
    int ziel = 0;
    bool steht = false;
    std::vector<int> schiffe;     // ship numbers
    std::array<int, 9> typen{};   // count per type 1..8
    int feuerkraft = 0;
    int schildMin = 0;            // weakest shield maximum of its ships
    int anzahl() const { return static_cast<int>(schiffe.size()); }
};

// Fleets of ships in space (fleet number > 0), in the order of their first ship.
std::vector<EigeneFlotte> eigeneFlotten(const Lage& lage);

// Ships docked at system s that belong to no fleet.
std::vector<int> freieSchiffe(const Lage& lage, int system, int typ);

// A visible foreign fleet stands at the system or lies within its sight range.
bool feindGesehen(const Lage& lage, int system);

}  // namespace qz

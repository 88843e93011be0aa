// Routes over several hops: a fleet flies only to systems within its range of where it stands,
// stop-overs at any system that is not another player's.
#pragma once

#include "bot/strategy/lage.hpp"

#include <climits>
#include <vector>

namespace qz {

// Shortest chains of hops (by pixels flown) from one system to all others.
struct Wegenetz {
    int von = 0;
    std::vector<int> abstand;  // index = system; INT_MAX where it cannot be reached
    std::vector<int> vorher;

    bool erreichbar(int nach) const { return nach != von && abstand.at(static_cast<std::size_t>(nach)) != INT_MAX; }
    int laenge(int nach) const { return abstand.at(static_cast<std::size_t>(nach)); }
    // The systems to fly through, without `von`, ending with `nach`; empty when unreachable.
    std::vector<int> kette(int nach) const;
};

Wegenetz wegenetz(const Lage& lage, int von);

// The chain from `von` to `nach` (see Wegenetz::kette).
inline std::vector<int> weg(const Lage& lage, int von, int nach) { return wegenetz(lage, von).kette(nach); }

// Game days for a flight of that many pixels: a pixel per 0.12 s, a day is 5 s.
inline double flugTage(int pixel) { return pixel * 0.12 / 5.0; }

}  // namespace qz

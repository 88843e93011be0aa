#include "bot/farbwahl.hpp"

#include <algorithm>

namespace qz {

int farbeWaehlen(const Spielstand& spiel, int eigen)
{
    for (int i = 0; i < 8; ++i) {
        const int k = (eigen - 1 + i) % 8 + 1;
        bool belegt = false;
        for (int n = 1; n <= std::min(spiel.Spieleranzahl, 4); ++n)
            if (n != eigen && spiel.spieler.spielerFarbe(n, 0) == k) belegt = true;
        if (!belegt) return k;
    }
    return 0;
}

}  // namespace qz

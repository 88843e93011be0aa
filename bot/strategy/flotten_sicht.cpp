#include "bot/strategy/flotten_sicht.hpp"

#include "systems/schiffstypen.hpp"

#include <algorithm>

namespace qz {

std::vector<EigeneFlotte> eigeneFlotten(const Lage& lage)
{
    std::vector<EigeneFlotte> flotten;
    for (const LageSchiff& s : lage.schiffe) {
        if (s.angedockt != 0 || s.flotte < 1) continue;
        auto it = std::find_if(flotten.begin(), flotten.end(),
                               [&](const EigeneFlotte& f) { return f.nummer == s.flotte; });
        if (it == flotten.end()) {
            // The first ship in space is the fleet's representative: its place is the fleet's.
            EigeneFlotte f;
            f.nummer = s.flotte;
            f.ort = s.ort;
            f.ziel = s.ziel;
            f.steht = s.stehtStill && s.ort > 0;
            f.schildMin = schildMaximum(s.typ, lage.stufe(9));
            flotten.push_back(f);
            it = flotten.end() - 1;
        }
        it->schiffe.push_back(s.nummer);
        ++it->typen[static_cast<std::size_t>(s.typ)];
        it->feuerkraft += s.feuerkraft;
        it->schildMin = std::min(it->schildMin, schildMaximum(s.typ, lage.stufe(9)));
    }
    return flotten;
}

std::vector<int> freieSchiffe(const Lage& lage, int system, int typ)
{
    std::vector<int> frei;
    for (const LageSchiff& s : lage.schiffe)
        if (s.angedockt == system && s.flotte < 1 && (typ == 0 || s.typ == typ)) frei.push_back(s.nummer);
    return frei;
}

bool feindGesehen(const Lage& lage, int system)
{
    const LageSystem& s = lage.system(system);
    for (const FremdeFlotte& f : lage.fremdeFlotten) {
        if (f.ort == system) return true;
        if (distanz(f.x + 16, f.y + 16, s.x, s.y) < lage.sichtweite()) return true;
    }
    return false;
}

}  // namespace qz

#include "bot/strategy/flottenbildung.hpp"

#include "bot/strategy/bauplan.hpp"
#include "bot/strategy/flotten_sicht.hpp"

#include <algorithm>

namespace qz {

namespace {

bool belagert(const Gedaechtnis& g, int flotte)
{
    return std::any_of(g.belagerungen.begin(), g.belagerungen.end(), [&](const auto& b) { return b.first == flotte; });
}

}  // namespace

std::vector<Entscheidung> flottenBilden(const Lage& lage, const Gedaechtnis& g)
{
    std::vector<Entscheidung> orders;
    const std::vector<EigeneFlotte> flotten = eigeneFlotten(lage);
    for (const LageSystem& s : lage.systeme) {
        if (!s.eigen) continue;
        // Ships in no fleet first: the hangar starts a new fleet with the first ship clicked
        // and takes the others into it, a guard docked for a moment among them.
        std::vector<int> angedockt, inFlotten;
        for (const LageSchiff& k : lage.schiffe)
            if (k.angedockt == s.nummer && k.typ > kSpaeherTyp) (k.flotte < 1 ? angedockt : inFlotten).push_back(k.nummer);
        angedockt.insert(angedockt.end(), inFlotten.begin(), inFlotten.end());
        if (angedockt.empty()) continue;
        auto wache = std::find_if(flotten.begin(), flotten.end(), [&](const EigeneFlotte& f) {
            return f.steht && f.ort == s.nummer && f.typen[kKolonieTyp] == 0 && f.typen[kSpaeherTyp] < f.anzahl() &&
                   !belagert(g, f.nummer);
        });
        if (wache == flotten.end())
            orders.push_back(FlotteBilden{s.nummer, angedockt});
        else if (!feindGesehen(lage, s.nummer))
            orders.push_back(FlotteAndocken{wache->nummer});
    }
    return orders;
}

}  // namespace qz

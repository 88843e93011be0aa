#include "bot/strategy/entscheidungen.hpp"

#include "bot/strategy/kolonisierung.hpp"

namespace qz {

StufenWerte stufenWerte(Stufe stufe)
{
    // Reaction: one exchange (2 s) is the shortest that gains anything, since new state comes
    // every 2 s; "Leicht" waits five exchanges. Planning: every day, two days, five days.
    switch (stufe) {
    case Stufe::leicht: return {10.0, 25.0, 2, 20, 0};
    case Stufe::mittel: return {4.0, 10.0, 4, 40, 1};
    case Stufe::schwer: break;
    }
    return {2.0, 5.0, 8, 120, 2};
}

std::vector<Entscheidung> entscheide(const Lage& lage, Stufe stufe, Gedaechtnis& g)
{
    const StufenWerte w = stufenWerte(stufe);
    std::vector<Entscheidung> orders;
    if (lage.zeit - g.letztePlanung < w.neuplanung) return orders;
    g.letztePlanung = lage.zeit;
    for (Entscheidung& e : kolonisieren(lage, g)) orders.push_back(std::move(e));
    return orders;
}

}  // namespace qz

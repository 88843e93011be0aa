#include "bot/strategy/entscheidungen.hpp"

#include "bot/strategy/angriff.hpp"
#include "bot/strategy/bauplan.hpp"
#include "bot/strategy/erkundung.hpp"
#include "bot/strategy/flottenbildung.hpp"
#include "bot/strategy/forschungsplan.hpp"
#include "bot/strategy/handelsplan.hpp"
#include "bot/strategy/kampfkraft.hpp"
#include "bot/strategy/kolonisierung.hpp"
#include "bot/strategy/verteidigung.hpp"

#include <algorithm>

namespace qz {

StufenWerte stufenWerte(Stufe stufe)
{
    // Reaction: one exchange (2 s) is the shortest that gains anything, since new state comes
    // every 2 s; "Leicht" waits five exchanges. Planning: every day, two days, five days; a
    // colony ship's target one hop away, two, or up to eight through stop-overs.
    switch (stufe) {
    case Stufe::leicht: return {10.0, 25.0, 2, 20, 0, 1};
    case Stufe::mittel: return {4.0, 10.0, 4, 40, 1, 2};
    case Stufe::schwer: break;
    }
    return {2.0, 5.0, 8, 120, 2, 8};
}

namespace {

// What the battles taught: who is at war with us, the most firepower each proved, and where each
// fought last (a battle ends when the fleets part, the danger there does not).
void gefechteMerken(const Lage& lage, Gedaechtnis& g)
{
    std::erase_if(g.gefechtsOrte, [&](const auto& o) { return lage.zeit - o.second >= kGefechtGedaechtnis; });
    for (const Gefecht& f : lage.gefechte) {
        auto ort = std::find_if(g.gefechtsOrte.begin(), g.gefechtsOrte.end(), [&](const auto& o) {
            return o.first.system == f.system && o.first.spieler == f.spieler;
        });
        if (ort == g.gefechtsOrte.end())
            g.gefechtsOrte.emplace_back(f, lage.zeit);
        else
            *ort = {f, lage.zeit};
        if (f.spieler < 1) continue;
        if (std::find(g.feinde.begin(), g.feinde.end(), f.spieler) == g.feinde.end()) g.feinde.push_back(f.spieler);
        auto bekannt = std::find_if(g.feindFlotten.begin(), g.feindFlotten.end(),
                                    [&](const Gefecht& b) { return b.spieler == f.spieler; });
        if (bekannt == g.feindFlotten.end())
            g.feindFlotten.push_back(f);
        else if (f.feuerkraft > bekannt->feuerkraft)
            *bekannt = f;
    }
}

// The fleet an order moves (a formation: minus its first ship), or 0 for orders that move none.
int bewegteFlotte(const Entscheidung& e)
{
    if (const auto* b = std::get_if<FlotteBilden>(&e)) return b->schiffe.empty() ? 0 : -b->schiffe.front();
    if (const auto* s = std::get_if<FlotteSenden>(&e)) return s->flotte;
    if (const auto* a = std::get_if<FlotteAndocken>(&e)) return a->flotte;
    return 0;
}

void anhaengen(std::vector<Entscheidung>& orders, std::vector<Entscheidung> neu)
{
    // One order per fleet: the earlier routine (defence first) has the say.
    for (Entscheidung& e : neu) {
        const int f = bewegteFlotte(e);
        if (f && std::any_of(orders.begin(), orders.end(), [&](const Entscheidung& o) { return bewegteFlotte(o) == f; }))
            continue;
        orders.push_back(std::move(e));
    }
}

}  // namespace

std::vector<Entscheidung> entscheide(const Lage& lage, Stufe stufe, Gedaechtnis& g)
{
    const StufenWerte w = stufenWerte(stufe);
    gefechteMerken(lage, g);
    bedrohungenMerken(lage, g);

    // Threats are answered as soon as the reaction delay has run, between plans too.
    std::vector<Entscheidung> orders;
    anhaengen(orders, verteidigen(lage, w, g));
    if (lage.zeit - g.letztePlanung < w.neuplanung) return orders;
    g.letztePlanung = lage.zeit;

    anhaengen(orders, angreifen(lage, w, g));
    anhaengen(orders, kolonisieren(lage, w, g));
    anhaengen(orders, erkunden(lage, w, g));
    anhaengen(orders, flottenBilden(lage, g));
    anhaengen(orders, bauPlanen(lage, w, g));
    anhaengen(orders, forschungPlanen(lage, w, g));
    anhaengen(orders, handelPlanen(lage, w, g));
    return orders;
}

}  // namespace qz

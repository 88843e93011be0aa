#include "bot/strategy/forschungsplan.hpp"

#include "bot/strategy/kolonisierung.hpp"
#include "gfx/text_numbers.hpp"

#include <array>

namespace qz {

bool kolonieZielInReichweite(const Lage& lage)
{
    for (const LageSystem& von : lage.systeme) {
        if (!von.eigen) continue;
        for (const LageSystem& s : lage.systeme) {
            if (s.besitzer != 0 || s.eigen) continue;
            const bool lockt = !s.entdeckt || s.einwohnerBasis >= kLohnendeEinwohner;
            if (lockt && lage.inReichweite(von.nummer, s.nummer)) return true;
        }
    }
    return false;
}

std::vector<Entscheidung> forschungPlanen(const Lage& lage, const StufenWerte& stufe, const Gedaechtnis& g)
{
    std::array<bool, 13> soll{};
    int eigene = 0;
    for (const LageSystem& s : lage.systeme) eigene += s.eigen ? 1 : 0;

    if (!kolonieZielInReichweite(lage)) {
        // Nothing to settle within one hop: everything into range.
        soll[3] = true;
    } else {
        // Range until the hop network is open (on 200 systems three in four are reachable
        // from home at level 12); income alongside from five systems on, when a level of it
        // pays in a few days.
        if (lage.stufe(3) < kNetzOffen) soll[3] = true;
        if (eigene >= 5 || lage.stufe(3) >= kNetzOffen) soll[1] = true;
        // Shields decide battles (a ship is hurt only by what exceeds them), once at war; while
        // range still opens new land, a scout's skirmish is no reason to halve its research.
        if (!g.feinde.empty() && lage.stufe(3) >= kNetzOffen) soll[9] = true;
        // A scouting player wants to see fleets coming from further off, once the hop network
        // is open (before, every point is worth more in range).
        if (stufe.erkundung >= 2 && lage.stufe(3) >= kNetzOffen && lage.stufe(5) < 11) soll[5] = true;
    }

    std::vector<Entscheidung> orders;
    for (int t = 1; t <= 12; ++t)
        if (lage.forschung[static_cast<std::size_t>(t)].aktiv != soll[static_cast<std::size_t>(t)])
            orders.push_back(ThemaSchalten{t, soll[static_cast<std::size_t>(t)]});

    // Points from the budget cost 6.67 G each; only money that would lie idle buys them: above
    // kEtatAbGeld, or above a colony ship and a guard's worth while no colony target is in reach
    // at all (then range is the one thing money can still hasten, and all of the day's income
    // goes into it).
    // The budget is a share of the day's net income before research; were that negative, the
    // share would take research points away and give money back.
    int netto = 0;
    for (const LageSystem& s : lage.systeme)
        if (s.eigen) netto += s.einwohner + roundHalfEven(lage.stufe(1) / 2.0) - s.forschung;
    const bool eingeschlossen = !kolonieZielInReichweite(lage);
    int etat = lage.geld > kEtatAbGeld ? 25 : 0;
    if (eingeschlossen && lage.geld > kEingeschlossenAbGeld) etat = 100;
    if (netto <= 0) etat = 0;
    if (etat != lage.forschungsetat) orders.push_back(EtatSetzen{etat});
    return orders;
}

}  // namespace qz

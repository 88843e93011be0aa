#include "bot/strategy/handelsplan.hpp"

#include "state/planetentypen.hpp"

#include <algorithm>

namespace qz {

namespace {

constexpr int kHandelsposten = -42;

// A post's reach: its current trade value plus the "Handelsmarkt" level, strictly below.
bool erreicht(const Lage& lage, const LageSystem& posten, const LageSystem& s, int handel)
{
    return distanz(posten.x, posten.y, s.x, s.y) < handel + lage.stufe(6);
}

}  // namespace

int erreichbareHandelspartner(const Lage& lage, int spieler)
{
    int n = 0;
    for (const LageSystem& s : lage.systeme) {
        if (!s.entdeckt || s.besitzer != spieler || s.eigen) continue;
        const bool erreichbar = std::any_of(lage.systeme.begin(), lage.systeme.end(), [&](const LageSystem& p) {
            return p.eigen && p.handelsposten == kHandelsposten && erreicht(lage, p, s, p.handel);
        });
        n += erreichbar ? 1 : 0;
    }
    return n;
}

std::vector<Entscheidung> handelPlanen(const Lage& lage, const StufenWerte& stufe, Gedaechtnis& g)
{
    std::vector<Entscheidung> orders;
    for (int p = 1; p <= lage.spieleranzahl; ++p) {
        if (p == lage.eigenerSpieler) continue;
        const int stand = lage.abkommen[static_cast<std::size_t>(p)];
        const bool krieg = std::find(g.feinde.begin(), g.feinde.end(), p) != g.feinde.end();
        if (krieg) {
            if (stand >= 1) orders.push_back(HandelAbbrechen{p});
            continue;
        }
        if (stand == 2 || erreichbareHandelspartner(lage, p) == 0) continue;
        auto letztes = std::find_if(g.angebote.begin(), g.angebote.end(), [&](const auto& a) { return a.first == p; });
        if (letztes != g.angebote.end() && lage.zeit - letztes->second < kAngebotsPause) continue;
        orders.push_back(HandelAnbieten{p});
        if (letztes != g.angebote.end())
            letztes->second = lage.zeit;
        else
            g.angebote.emplace_back(p, lage.zeit);
    }

    if (stufe.horizont < kHandelsHorizont) return orders;
    // One new post per plan: the colony whose reach at its cap (base + 35 + level) takes in
    // the most own systems not yet linked; at least two, or the post earns less than it costs.
    int bester = 0, besteAnzahl = 1;
    for (const LageSystem& kandidat : lage.systeme) {
        if (!kandidat.eigen || kandidat.typ == kHeimatTyp || kandidat.handelsposten != 0) continue;
        int anzahl = 0;
        for (const LageSystem& s : lage.systeme)
            if (s.eigen && s.nummer != kandidat.nummer && s.handelsposten == 0 &&
                erreicht(lage, kandidat, s, kandidat.handelBasis + 35))
                ++anzahl;
        if (anzahl > besteAnzahl) bester = kandidat.nummer, besteAnzahl = anzahl;
    }
    if (bester) orders.push_back(HandelspostenErrichten{bester});
    return orders;
}

}  // namespace qz

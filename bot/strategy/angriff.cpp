#include "bot/strategy/angriff.hpp"

#include "bot/strategy/bauplan.hpp"
#include "bot/strategy/flotten_sicht.hpp"
#include "bot/strategy/kampfkraft.hpp"
#include "bot/strategy/wege.hpp"

#include <algorithm>
#include <cmath>

namespace qz {

double belagerungsTage(int befestigung, int schlachtschiffe)
{
    // One report per 2 s exchange takes 25 per battleship; a day is 5 s.
    const double berichte = std::ceil(static_cast<double>(befestigung) / (25.0 * schlachtschiffe));
    return berichte * 2.0 / 5.0;
}

namespace {

void feindMerken(Gedaechtnis& g, int spieler)
{
    if (spieler > 0 && std::find(g.feinde.begin(), g.feinde.end(), spieler) == g.feinde.end()) g.feinde.push_back(spieler);
}

// The nearest own system within one hop, where a retreating fleet can dock.
int rueckzugsZiel(const Lage& lage, int ort)
{
    int bestes = 0, besteDistanz = 0;
    for (const LageSystem& s : lage.systeme) {
        if (!s.eigen || s.nummer == ort || !lage.inReichweite(ort, s.nummer)) continue;
        const int d = lage.hopDistanz(ort, s.nummer);
        if (!bestes || d < besteDistanz) bestes = s.nummer, besteDistanz = d;
    }
    return bestes;
}

}  // namespace

std::vector<Entscheidung> angreifen(const Lage& lage, const StufenWerte& stufe, Gedaechtnis& g)
{
    std::vector<Entscheidung> orders;
    const std::vector<EigeneFlotte> flotten = eigeneFlotten(lage);
    auto flotteVon = [&](int nummer) -> const EigeneFlotte* {
        auto it = std::find_if(flotten.begin(), flotten.end(), [&](const EigeneFlotte& f) { return f.nummer == nummer; });
        return it == flotten.end() ? nullptr : &*it;
    };

    // Sieges under way: on to the target, attack there, stay after a conquest, break off when
    // the enemy there is too strong.
    std::erase_if(g.belagerungen, [&](const auto& b) {
        const EigeneFlotte* f = flotteVon(b.first);
        return !f || f->typen[kSchlachtTyp] == 0;
    });
    for (auto it = g.belagerungen.begin(); it != g.belagerungen.end();) {
        const EigeneFlotte& f = *flotteVon(it->first);
        const LageSystem& ziel = lage.system(it->second);
        if (ziel.eigen) {
            // Taken: the fleet stands at an own system again, on guard until the next plan.
            it = g.belagerungen.erase(it);
            continue;
        }
        if (!f.steht) {
            ++it;
            continue;
        }
        const std::vector<Kampfschiff> feind = feindKraft(lage, g, f.ort);
        if (!feind.empty() && !gewinnt(gefechtRechnen(flottenKraft(lage, f.schiffe), feind))) {
            if (const int zurueck = rueckzugsZiel(lage, f.ort)) orders.push_back(FlotteSenden{f.nummer, zurueck});
            it = g.belagerungen.erase(it);
            continue;
        }
        if (f.ort == ziel.nummer) {
            orders.push_back(Angreifen{ziel.nummer, true});
        } else {
            const std::vector<int> w = weg(lage, f.ort, ziel.nummer);
            if (!w.empty()) orders.push_back(FlotteSenden{f.nummer, w.front()});
        }
        ++it;
    }

    // New sieges, as many at once as the attention allows.
    const int plaetze = stufe.ziele / 4 - static_cast<int>(g.belagerungen.size());
    if (plaetze <= 0) return orders;
    int begonnen = 0;
    for (const EigeneFlotte& f : flotten) {
        if (begonnen >= plaetze) break;
        if (!f.steht || f.typen[kSchlachtTyp] == 0 || f.typen[kKolonieTyp] > 0) continue;
        if (!lage.system(f.ort).eigen || feindGesehen(lage, f.ort)) continue;  // its own home needs it now
        if (std::any_of(g.belagerungen.begin(), g.belagerungen.end(), [&](const auto& b) { return b.first == f.nummer; }))
            continue;
        const std::vector<Kampfschiff> eigene = flottenKraft(lage, f.schiffe);
        const Wegenetz netz = wegenetz(lage, f.ort);
        int bestes = 0;
        double besteKosten = 0.0;
        for (const LageSystem& s : lage.systeme) {
            if (!s.entdeckt || s.eigen || s.besitzer == 0 || !netz.erreichbar(s.nummer)) continue;
            if (std::any_of(g.belagerungen.begin(), g.belagerungen.end(), [&](const auto& b) { return b.second == s.nummer; }))
                continue;
            const std::vector<Kampfschiff> feind = feindKraft(lage, g, s.nummer);
            if (!feind.empty() && !gewinnt(gefechtRechnen(eigene, feind))) continue;
            const double tage = flugTage(netz.laenge(s.nummer)) + belagerungsTage(s.befestigungBasis, f.typen[kSchlachtTyp]);
            if (tage > stufe.horizont) continue;
            // Fewest days per value: a rich planet is worth a longer siege.
            const double kosten = tage / (s.einwohnerBasis + s.werftBasis + 1.0);
            if (!bestes || kosten < besteKosten) bestes = s.nummer, besteKosten = kosten;
        }
        if (!bestes) continue;
        g.belagerungen.emplace_back(f.nummer, bestes);
        feindMerken(g, lage.system(bestes).besitzer);
        orders.push_back(FlotteSenden{f.nummer, netz.kette(bestes).front()});
        ++begonnen;
    }
    return orders;
}

}  // namespace qz

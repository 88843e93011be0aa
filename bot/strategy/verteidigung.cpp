#include "bot/strategy/verteidigung.hpp"

#include "bot/strategy/bauplan.hpp"
#include "bot/strategy/flotten_sicht.hpp"
#include "bot/strategy/kampfkraft.hpp"
#include "bot/strategy/wege.hpp"
#include "state/planetentypen.hpp"

#include <algorithm>

namespace qz {

void bedrohungenMerken(const Lage& lage, Gedaechtnis& g)
{
    std::vector<std::pair<int, double>> neu;
    for (const LageSystem& s : lage.systeme) {
        if (!s.eigen || !(s.angegriffen > 0 || feindGesehen(lage, s.nummer))) continue;
        auto alt = std::find_if(g.bedrohtSeit.begin(), g.bedrohtSeit.end(),
                                [&](const auto& b) { return b.first == s.nummer; });
        neu.emplace_back(s.nummer, alt == g.bedrohtSeit.end() ? lage.zeit : alt->second);
    }
    g.bedrohtSeit = std::move(neu);
}

namespace {

bool kaempfer(const EigeneFlotte& f) { return f.typen[kKolonieTyp] == 0 && f.feuerkraft > 0; }

bool belagert(const Gedaechtnis& g, int flotte)
{
    return std::any_of(g.belagerungen.begin(), g.belagerungen.end(), [&](const auto& b) { return b.first == flotte; });
}

}  // namespace

std::vector<Entscheidung> verteidigen(const Lage& lage, const StufenWerte& stufe, const Gedaechtnis& g)
{
    std::vector<std::pair<int, int>> faellig;  // value, system
    for (const auto& [system, seit] : g.bedrohtSeit) {
        if (lage.zeit - seit < stufe.reaktion) continue;
        const LageSystem& s = lage.system(system);
        faellig.emplace_back(s.einwohner + s.werft + (s.typ == kHeimatTyp ? 100000 : 0), system);
    }
    std::sort(faellig.rbegin(), faellig.rend());
    const std::size_t aufmerksamkeit = static_cast<std::size_t>(std::max(1, stufe.ziele / 2));
    if (faellig.size() > aufmerksamkeit) faellig.resize(aufmerksamkeit);

    std::vector<Entscheidung> orders;
    std::vector<int> vergeben;
    const std::vector<EigeneFlotte> flotten = eigeneFlotten(lage);
    for (const auto& [wert, system] : faellig) {
        const std::vector<Kampfschiff> feind = feindKraft(lage, g, system);
        if (feind.empty()) continue;  // attacked, but nobody in sight to fight

        std::vector<int> hier;  // own warships at the system, in space or docked
        const EigeneFlotte* wache = nullptr;
        for (const EigeneFlotte& f : flotten)
            if (f.steht && f.ort == system && kaempfer(f)) {
                wache = &f;
                hier.insert(hier.end(), f.schiffe.begin(), f.schiffe.end());
                vergeben.push_back(f.nummer);
            }
        std::vector<int> angedockt, inFlotten;  // those in no fleet first, as the hangar wants
        for (const LageSchiff& k : lage.schiffe)
            if (k.angedockt == system && k.feuerkraft > 0 && k.typ != kKolonieTyp)
                (k.flotte < 1 ? angedockt : inFlotten).push_back(k.nummer);
        angedockt.insert(angedockt.end(), inFlotten.begin(), inFlotten.end());
        hier.insert(hier.end(), angedockt.begin(), angedockt.end());

        if (!hier.empty() && gewinnt(gefechtRechnen(flottenKraft(lage, hier), feind))) {
            if (!angedockt.empty()) orders.push_back(FlotteBilden{system, angedockt});
            continue;
        }
        // Help from elsewhere: the nearest fleet that wins together with what stands here.
        const EigeneFlotte* hilfe = nullptr;
        std::vector<int> kette;
        int besteLaenge = 0;
        for (const EigeneFlotte& f : flotten) {
            if (!f.steht || f.ort == system || !kaempfer(f) || belagert(g, f.nummer)) continue;
            if (std::find(vergeben.begin(), vergeben.end(), f.nummer) != vergeben.end()) continue;
            std::vector<int> zusammen = hier;
            zusammen.insert(zusammen.end(), f.schiffe.begin(), f.schiffe.end());
            if (!gewinnt(gefechtRechnen(flottenKraft(lage, zusammen), feind))) continue;
            const Wegenetz netz = wegenetz(lage, f.ort);
            if (!netz.erreichbar(system)) continue;
            if (!hilfe || netz.laenge(system) < besteLaenge)
                hilfe = &f, kette = netz.kette(system), besteLaenge = netz.laenge(system);
        }
        if (hilfe) {
            orders.push_back(FlotteSenden{hilfe->nummer, kette.front()});
            vergeben.push_back(hilfe->nummer);
        } else if (wache) {
            // It would lose: into the hangar, out of the battle.
            orders.push_back(FlotteAndocken{wache->nummer});
        }
    }
    return orders;
}

}  // namespace qz

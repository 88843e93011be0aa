#include "bot/strategy/erkundung.hpp"

#include "bot/strategy/bauplan.hpp"
#include "bot/strategy/flotten_sicht.hpp"
#include "bot/strategy/kampfkraft.hpp"
#include "bot/strategy/wege.hpp"

#include <algorithm>

namespace qz {

std::vector<Entscheidung> erkunden(const Lage& lage, const StufenWerte& stufe, Gedaechtnis& g)
{
    std::vector<Entscheidung> orders;
    if (stufe.erkundung < 1) return orders;
    const std::vector<EigeneFlotte> flotten = eigeneFlotten(lage);
    auto spaeher = [](const EigeneFlotte& f) { return f.anzahl() == 1 && f.typen[kSpaeherTyp] == 1; };
    const int unterwegs = static_cast<int>(std::count_if(flotten.begin(), flotten.end(), spaeher));

    // A scout in a hangar goes out alone, as long as there are fewer than the level keeps.
    int frei = stufe.erkundung - unterwegs;
    for (const LageSchiff& k : lage.schiffe)
        if (frei > 0 && k.typ == kSpaeherTyp && k.angedockt > 0 && k.flotte < 1) {
            orders.push_back(FlotteBilden{k.angedockt, {k.nummer}});
            --frei;
        }

    for (const EigeneFlotte& f : flotten) {
        if (!spaeher(f) || !f.steht) continue;
        const Wegenetz netz = wegenetz(lage, f.ort);
        int bestes = 0;
        for (const LageSystem& s : lage.systeme) {
            if (s.entdeckt || !netz.erreichbar(s.nummer) || gefechtBekannt(lage, g, s.nummer)) continue;
            if (std::any_of(g.auftraege.begin(), g.auftraege.end(),
                            [&](const auto& a) { return a.first != f.nummer && a.second == s.nummer; }))
                continue;
            if (!bestes || netz.laenge(s.nummer) < netz.laenge(bestes)) bestes = s.nummer;
        }
        if (!bestes) continue;
        std::erase_if(g.auftraege, [&](const auto& a) { return a.first == f.nummer; });
        g.auftraege.emplace_back(f.nummer, bestes);
        orders.push_back(FlotteSenden{f.nummer, netz.kette(bestes).front()});
    }
    return orders;
}

}  // namespace qz

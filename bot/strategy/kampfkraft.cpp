#include "bot/strategy/kampfkraft.hpp"

#include "gfx/text_numbers.hpp"
#include "systems/schiffstypen.hpp"

#include <algorithm>

namespace qz {

namespace {

long long summeFeuer(const std::vector<Kampfschiff>& seite)
{
    long long s = 0;
    for (const Kampfschiff& k : seite) s += k.feuerkraft;
    return s;
}

// One side takes the other's damage; true when a ship lost hull.
bool treffen(std::vector<Kampfschiff>& seite, long long feuer)
{
    if (seite.empty() || feuer <= 0) return false;
    const int d = roundHalfEven(static_cast<double>(feuer) / static_cast<double>(seite.size()));
    bool getroffen = false;
    for (Kampfschiff& k : seite) {
        if (d > k.schild) {
            k.huelle -= d - k.schild;
            getroffen = true;
        }
    }
    std::erase_if(seite, [](const Kampfschiff& k) { return k.huelle < 1; });
    return getroffen;
}

Kampfschiff vomTyp(int typ)
{
    const Schiffstyp& t = schiffstyp(typ);
    return {t.schild, t.huelle, t.feuerkraft};
}

}  // namespace

Ausgang gefechtRechnen(std::vector<Kampfschiff> a, std::vector<Kampfschiff> b, int maxRunden)
{
    Ausgang e;
    while (!a.empty() && !b.empty() && e.runden < maxRunden) {
        const long long feuerA = summeFeuer(a), feuerB = summeFeuer(b);
        ++e.runden;
        const bool aGetroffen = treffen(a, feuerB);
        const bool bGetroffen = treffen(b, feuerA);
        if (!aGetroffen && !bGetroffen) break;
    }
    e.ueberlebendeA = static_cast<int>(a.size());
    e.ueberlebendeB = static_cast<int>(b.size());
    return e;
}

std::vector<Kampfschiff> flottenKraft(const Lage& lage, const std::vector<int>& schiffe)
{
    std::vector<Kampfschiff> kraft;
    for (const LageSchiff& s : lage.schiffe)
        if (std::find(schiffe.begin(), schiffe.end(), s.nummer) != schiffe.end())
            kraft.push_back({schildMaximum(s.typ, lage.stufe(9)), s.huelle, s.feuerkraft});
    return kraft;
}

std::vector<Kampfschiff> feindKraft(const Lage& lage, const Gedaechtnis& g, int system)
{
    std::vector<Kampfschiff> kraft;
    // The record gives each ship; the sums are spread evenly, which changes no round's damage
    // (that depends only on the sums and the counts) and the weakest shield decides.
    auto aufnehmen = [&](const Gefecht& f) {
        for (int k = 0; k < f.feindSchiffe; ++k)
            kraft.push_back({f.feindSchildMin, f.feindHuelle / f.feindSchiffe, f.feindFeuerkraft / f.feindSchiffe});
    };
    for (const Gefecht& f : lage.gefechte)
        if (f.system == system && f.feindSchiffe > 0) aufnehmen(f);
    if (!kraft.empty()) return kraft;
    for (const auto& [f, seit] : g.gefechtsOrte)
        if (f.system == system && f.feindSchiffe > 0 && lage.zeit - seit < kGefechtGedaechtnis) aufnehmen(f);
    if (!kraft.empty()) return kraft;

    const LageSystem& s = lage.system(system);
    for (const FremdeFlotte& f : lage.fremdeFlotten) {
        if (f.ort != system && distanz(f.x + 16, f.y + 16, s.x, s.y) >= lage.sichtweite()) continue;
        auto bekannt = std::find_if(g.feindFlotten.begin(), g.feindFlotten.end(),
                                    [&](const Gefecht& b) { return b.spieler == f.spieler; });
        if (bekannt != g.feindFlotten.end() && bekannt->feindSchiffe > 0) {
            for (int k = 0; k < bekannt->feindSchiffe; ++k)
                kraft.push_back({bekannt->feindSchildMin, bekannt->feindHuelle / bekannt->feindSchiffe,
                                 bekannt->feindFeuerkraft / bekannt->feindSchiffe});
        } else {
            for (int k = 0; k < 3; ++k) kraft.push_back(vomTyp(f.typ));
        }
    }
    return kraft;
}

bool gefechtBekannt(const Lage& lage, const Gedaechtnis& g, int system)
{
    return std::any_of(lage.gefechte.begin(), lage.gefechte.end(), [&](const Gefecht& f) { return f.system == system; }) ||
           std::any_of(g.gefechtsOrte.begin(), g.gefechtsOrte.end(), [&](const auto& o) {
               return o.first.system == system && lage.zeit - o.second < kGefechtGedaechtnis;
           });
}

}  // namespace qz

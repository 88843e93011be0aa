#include "bot/strategy/kampfkraft.hpp"

#include "gfx/text_numbers.hpp"
#include "systems/schiffstypen.hpp"

#include <algorithm>
#include <climits>

namespace qz {

namespace {

// Firepower beyond any fleet a game reaches comes from a broken list: held to this.
constexpr long long kBeweisGrenze = 1'000'000;

long long summeFeuer(const std::vector<Kampfschiff>& seite)
{
    long long s = 0;
    for (const Kampfschiff& k : seite) s += k.feuerkraft;
    return s;
}

Kampfschiff vomTyp(int typ)
{
    const Schiffstyp& t = schiffstyp(typ);
    return {t.schild, t.huelle, t.feuerkraft};
}

}  // namespace

Schlacht schlachtRechnen(std::vector<std::vector<Kampfschiff>> seiten, int maxRunden)
{
    Schlacht e;
    const auto lebende = [&] {
        return std::count_if(seiten.begin(), seiten.end(), [](const auto& s) { return !s.empty(); });
    };
    while (lebende() >= 2 && e.runden < maxRunden) {
        ++e.runden;
        // Every side fires at once, with the ships it had when the round began.
        std::vector<long long> feuer;
        for (const auto& seite : seiten) feuer.push_back(summeFeuer(seite));
        bool getroffen = false;
        for (std::size_t p = 0; p < seiten.size(); ++p) {
            std::vector<Kampfschiff>& seite = seiten[p];
            if (seite.empty()) continue;
            // Each enemy's firepower is shared out over the own ships on its own, rounded;
            // the shield takes the first of all shares together.
            long long schaden = 0;
            for (std::size_t k = 0; k < seiten.size(); ++k)
                if (k != p && feuer[k] > 0)
                    schaden += roundHalfEven(static_cast<double>(feuer[k]) / static_cast<double>(seite.size()));
            for (Kampfschiff& s : seite) {
                if (schaden <= s.schild) continue;
                s.huelle = static_cast<int>(std::max<long long>(INT_MIN / 2, s.huelle - (schaden - s.schild)));
                getroffen = true;
            }
        }
        for (auto& seite : seiten) std::erase_if(seite, [](const Kampfschiff& k) { return k.huelle < 1; });
        if (!getroffen) break;
    }
    for (const auto& seite : seiten) e.ueberlebende.push_back(static_cast<int>(seite.size()));
    return e;
}

Ausgang gefechtRechnen(std::vector<Kampfschiff> a, std::vector<Kampfschiff> b, int maxRunden)
{
    const Schlacht s = schlachtRechnen({std::move(a), std::move(b)}, maxRunden);
    return {s.ueberlebende[0], s.ueberlebende[1], s.runden};
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
    // The map shows a foreign fleet's first ship only: each visible one counts as three ships
    // of that picture, or as many as the firepower its player has proven on own ships before.
    auto schiffeFuer = [](int typ, long long feuerkraft) {
        const long long einzeln = std::max(1, schiffstyp(typ).feuerkraft);
        return static_cast<int>(std::max(3LL, (std::min(feuerkraft, kBeweisGrenze) + einzeln - 1) / einzeln));
    };
    std::vector<Kampfschiff> kraft;
    long long gesehen = 0;
    const LageSystem& s = lage.system(system);
    for (const FremdeFlotte& f : lage.fremdeFlotten) {
        if (f.typ < 1 || f.typ > 8) continue;
        if (f.ort != system && distanz(f.x + 16, f.y + 16, s.x, s.y) >= lage.sichtweite()) continue;
        auto bekannt = std::find_if(g.feindFlotten.begin(), g.feindFlotten.end(),
                                    [&](const Gefecht& b) { return b.spieler == f.spieler; });
        const int n = schiffeFuer(f.typ, bekannt != g.feindFlotten.end() ? bekannt->feuerkraft : 0);
        for (int k = 0; k < n; ++k) kraft.push_back(vomTyp(f.typ));
        gesehen += static_cast<long long>(n) * schiffstyp(f.typ).feuerkraft;
    }

    // What the own ships' losses there proved, now or within kGefechtGedaechtnis: the enemy
    // has at least that much firepower, more ships of the picture seen if the count above falls short.
    long long bewiesen = 0;
    int typ = 0;
    auto aufnehmen = [&](const Gefecht& f) {
        bewiesen += f.feuerkraft;
        if (typ == 0 && f.typ >= 1 && f.typ <= 8) typ = f.typ;
    };
    bool jetzt = false;
    for (const Gefecht& f : lage.gefechte)
        if (f.system == system) aufnehmen(f), jetzt = true;
    if (!jetzt)
        for (const auto& [f, seit] : g.gefechtsOrte)
            if (f.system == system && lage.zeit - seit < kGefechtGedaechtnis) aufnehmen(f);
    if (typ == 0) return kraft;
    bewiesen = std::min<long long>(bewiesen, kBeweisGrenze);
    if (kraft.empty()) {
        // Nobody in sight any more, but a battle here is remembered: its fleet as if seen.
        const int n = schiffeFuer(typ, bewiesen);
        for (int k = 0; k < n; ++k) kraft.push_back(vomTyp(typ));
        return kraft;
    }
    const int einzeln = std::max(1, schiffstyp(typ).feuerkraft);
    for (; gesehen < bewiesen; gesehen += einzeln) kraft.push_back(vomTyp(typ));
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

#include "bot/strategy/kolonisierung.hpp"

#include "bot/strategy/flotten_sicht.hpp"
#include "bot/strategy/kampfkraft.hpp"
#include "bot/strategy/wege.hpp"

#include <algorithm>
#include <climits>

namespace qz {

int kolonieWert(const LageSystem& s)
{
    if (!s.entdeckt || s.besitzer != 0) return 0;
    // Population is money every day, the yard builds the next colony ships, research costs a
    // G a point: weighted in that order.
    return 4 * s.einwohnerBasis + 2 * s.werftBasis + s.forschungBasis;
}

namespace {

bool lohnend(const LageSystem& s) { return kolonieWert(s) > 0 && s.einwohnerBasis >= kLohnendeEinwohner; }

bool vergeben(const Gedaechtnis& g, int flotte, int system)
{
    return std::any_of(g.auftraege.begin(), g.auftraege.end(),
                       [&](const auto& a) { return a.first != flotte && a.second == system; });
}

// Somewhere a colony ship should head for: a free system worth settling, or one not yet seen.
bool lockt(const LageSystem& s) { return !s.entdeckt || lohnend(s); }

struct Wahl {
    int ziel = 0;       // where the mission goes
    int naechster = 0;  // the first hop towards it
    bool kolonieHier = false;
};

// The target among the systems at most `hops` hops away (a chain of stop-overs, each within
// range of the last), by value less the pixels flown; else the nearest undiscovered system.
Wahl zielWaehlen(const Lage& lage, const Gedaechtnis& g, int flotte, int ort, int hops)
{
    const Wegenetz netz = wegenetz(lage, ort);
    int besterWert = INT_MIN, bestes = 0;
    int naechstesUnbekanntes = 0, unbekanntDistanz = INT_MAX;
    int notWert = 0, notZiel = 0;
    for (const LageSystem& s : lage.systeme) {
        const int t = s.nummer;
        if (!netz.erreichbar(t) || static_cast<int>(netz.kette(t).size()) > hops || vergeben(g, flotte, t) ||
            feindGesehen(lage, t) || gefechtBekannt(lage, g, t))
            continue;
        const int d = netz.laenge(t);
        if (lohnend(s)) {
            // A little value for each pixel less: between two equal planets the nearer one.
            const int wert = kolonieWert(s) - d;
            if (wert > besterWert) besterWert = wert, bestes = t;
        } else if (!s.entdeckt) {
            if (d < unbekanntDistanz) unbekanntDistanz = d, naechstesUnbekanntes = t;
        } else if (kolonieWert(s) > notWert) {
            notWert = kolonieWert(s), notZiel = t;
        }
    }
    auto hin = [&](int ziel) { return Wahl{ziel, netz.kette(ziel).front(), false}; };
    if (bestes) return hin(bestes);
    if (naechstesUnbekanntes) return hin(naechstesUnbekanntes);

    // Nothing that lures within those hops: settle a poor planet where the ship stands (it
    // still sells research below a G a point), or fly to the best poor one in reach.
    const LageSystem& hier = lage.system(ort);
    if (kolonieWert(hier) > 0 && !feindGesehen(lage, ort)) return {ort, ort, true};
    if (notZiel) return hin(notZiel);

    // A stop-over one hop closer to the nearest lure further away; none while range is short.
    auto abstandZumNaechstenZiel = [&](int von) {
        int bester = INT_MAX;
        for (const LageSystem& s : lage.systeme)
            if (s.nummer != von && s.besitzer == 0 && lockt(s) && !vergeben(g, flotte, s.nummer))
                bester = std::min(bester, distanz(lage.system(von).x, lage.system(von).y, s.x, s.y));
        return bester;
    };
    int zwischen = 0, zwischenAbstand = abstandZumNaechstenZiel(ort);
    for (const LageSystem& s : lage.systeme) {
        if (s.nummer == ort || (s.besitzer != 0 && !s.eigen) || !lage.inReichweite(ort, s.nummer)) continue;
        if (feindGesehen(lage, s.nummer) || gefechtBekannt(lage, g, s.nummer)) continue;
        const int a = abstandZumNaechstenZiel(s.nummer);
        if (a < zwischenAbstand) zwischenAbstand = a, zwischen = s.nummer;
    }
    return {zwischen, zwischen, false};
}

}  // namespace

std::vector<Entscheidung> kolonisieren(const Lage& lage, const StufenWerte& stufe, Gedaechtnis& g)
{
    std::vector<Entscheidung> orders;
    const std::vector<EigeneFlotte> flotten = eigeneFlotten(lage);
    // A mission ends when its fleet is gone or stands at its target: a scout or colony ship
    // waiting there must not keep the system from the others.
    std::erase_if(g.auftraege, [&](const auto& a) {
        return std::none_of(flotten.begin(), flotten.end(), [&](const EigeneFlotte& f) {
            return f.nummer == a.first && !(f.steht && f.ort == a.second);
        });
    });

    for (const EigeneFlotte& f : flotten) {
        if (f.typen[1] == 0 || !f.steht) continue;
        const LageSystem& hier = lage.system(f.ort);
        const bool frei = hier.entdeckt && hier.besitzer == 0 && !feindGesehen(lage, f.ort);
        if (frei && lohnend(hier)) {
            orders.push_back(Kolonisieren{f.ort});
            continue;
        }
        const Wahl w = zielWaehlen(lage, g, f.nummer, f.ort, stufe.wegHops);
        if (w.kolonieHier) {
            orders.push_back(Kolonisieren{f.ort});
        } else if (w.ziel) {
            orders.push_back(FlotteSenden{f.nummer, w.naechster});
            std::erase_if(g.auftraege, [&](const auto& a) { return a.first == f.nummer; });
            g.auftraege.emplace_back(f.nummer, w.ziel);
        }
    }

    // A finished colony ship leaves its hangar alone: one ship, one target.
    for (const LageSystem& s : lage.systeme) {
        if (!s.eigen) continue;
        for (int schiff : freieSchiffe(lage, s.nummer, 1)) orders.push_back(FlotteBilden{s.nummer, {schiff}});
    }
    return orders;
}

}  // namespace qz

#include "bot/strategy/bauplan.hpp"

#include "bot/strategy/flotten_sicht.hpp"
#include "bot/strategy/forschungsplan.hpp"
#include "bot/strategy/kolonisierung.hpp"
#include "systems/schiffstypen.hpp"

#include <algorithm>

namespace qz {

namespace {

// Free systems a colony ship could still go for: worth settling, or not seen yet.
bool landFrei(const Lage& lage)
{
    return std::any_of(lage.systeme.begin(), lage.systeme.end(), [](const LageSystem& s) {
        return s.besitzer == 0 && !s.eigen && (!s.entdeckt || s.einwohnerBasis >= kLohnendeEinwohner);
    });
}

int imBau(const Lage& lage, int typ)
{
    int n = 0;
    for (const LageSystem& s : lage.systeme)
        if (s.eigen) n += static_cast<int>(std::count(s.bauTyp.begin(), s.bauTyp.end(), typ));
    return n;
}

int vorhanden(const Lage& lage, int typ)
{
    return static_cast<int>(
        std::count_if(lage.schiffe.begin(), lage.schiffe.end(), [&](const LageSchiff& s) { return s.typ == typ; }));
}

}  // namespace

std::vector<Entscheidung> bauPlanen(const Lage& lage, const StufenWerte& stufe, const Gedaechtnis& g)
{
    std::vector<const LageSystem*> werften;
    for (const LageSystem& s : lage.systeme)
        if (s.eigen && s.werft > 0) werften.push_back(&s);
    std::stable_sort(werften.begin(), werften.end(),
                     [](const LageSystem* a, const LageSystem* b) { return a->werft > b->werft; });
    // "Schwer" keeps every yard busy; the others as many as they have attention for.
    if (stufe.ziele < 8 && static_cast<int>(werften.size()) > stufe.ziele)
        werften.resize(static_cast<std::size_t>(stufe.ziele));

    int geld = lage.geld;
    int kolonieschiffe = vorhanden(lage, kKolonieTyp) + imBau(lage, kKolonieTyp);
    int spaeher = vorhanden(lage, kSpaeherTyp) + imBau(lage, kSpaeherTyp);
    const bool land = landFrei(lage);
    // As many colony ships at once as the attention allows: ships waiting for a free place are
    // not wasted, they leave the moment one opens, while the yard would need a week or more.
    // Shut in, with nothing at all within one hop, one ship waits ready: each further one
    // would take 15 people and so their share of the income that goes into range research.
    const int kolonieBedarf = kolonieZielInReichweite(lage) ? std::max(1, stufe.ziele / 2) : 1;
    // Battleships only against a known target: a co-player's system the player discovered.
    const bool zielBekannt = std::any_of(lage.systeme.begin(), lage.systeme.end(),
                                         [](const LageSystem& s) { return s.entdeckt && !s.eigen && s.besitzer != 0; });
    const bool belagern = stufe.horizont >= kBelagerungsHorizont && zielBekannt;
    const bool bedroht = !g.feinde.empty() || !g.bedrohtSeit.empty();

    // While land is free the best yard that can build colony ships builds nothing else: a scout
    // or a battleship there would hold up the next colony ship for weeks.
    auto kolonieWerft = std::find_if(werften.begin(), werften.end(), [](const LageSystem* s) {
        return s->einwohner >= kKolonieEinwohnerMindestens;
    });

    std::vector<Entscheidung> orders;
    for (const LageSystem* s : werften) {
        if (s->bauAuftraege > 0) continue;
        auto kann = [&](int typ) { return geld >= schiffstyp(typ).preis; };
        int typ = 0;
        const bool schnell = s->werft >= kKolonieWerft || (kolonieWerft != werften.end() && s == *kolonieWerft);
        if (land && kolonieschiffe < kolonieBedarf && schnell && s->einwohner >= kKolonieEinwohnerMindestens &&
            kann(kKolonieTyp)) {
            typ = kKolonieTyp;
            ++kolonieschiffe;
        } else if (land && kolonieWerft != werften.end() && s == *kolonieWerft) {
            continue;
        } else if (spaeher < stufe.erkundung && kann(kSpaeherTyp)) {
            typ = kSpaeherTyp;
            ++spaeher;
        } else if (land && kolonieschiffe < kolonieBedarf && geld < schiffstyp(kKolonieTyp).preis + schiffstyp(kWachTyp).preis) {
            // Colonies first: the money is kept for the next colony ship.
            continue;
        } else if (belagern && s->werft >= kSchlachtWerft && kann(kSchlachtTyp)) {
            typ = kSchlachtTyp;
        } else if ((bedroht || !land) && s->werft >= kWachWerft && kann(kWachTyp)) {
            typ = kWachTyp;
        }
        if (typ == 0) continue;
        geld -= schiffstyp(typ).preis;
        orders.push_back(SchiffBauen{s->nummer, typ});
    }
    return orders;
}

}  // namespace qz

#include "bot/strategy/lage.hpp"

#include "fleets/co_player_fleets.hpp"
#include "fleets/flotten.hpp"
#include "gfx/text_numbers.hpp"

#include <algorithm>
#include <climits>
#include <cmath>
#include <unordered_set>

namespace qz {

int distanz(int x1, int y1, int x2, int y2)
{
    const double dx = x1 - x2, dy = y1 - y2;
    return roundHalfEven(std::sqrt(dx * dx + dy * dy));
}

int Lage::reichweite() const { return flugReichweite(stufe(3)); }

int Lage::sichtweite() const { return qz::sichtweite(stufe(5)); }

int Lage::hopDistanz(int a, int b) const
{
    const LageSystem& von = system(a);
    const LageSystem& nach = system(b);
    return distanz(von.x + parkX, von.y + parkY, nach.x, nach.y);
}

namespace {

LageSystem systemSehen(const Sternsysteme& sys, int s, int eigen)
{
    LageSystem l;
    l.nummer = s;
    l.x = sys.pos(s, 1);
    l.y = sys.pos(s, 2);
    l.eigen = sys.besitzer(s) == eigen;
    l.entdeckt = l.eigen || sys.entdecker(s) == eigen;
    if (!l.entdeckt) return l;
    // The visit screen shows the picture (type), the five bases and whose system it is; the
    // fortification base follows from the type.
    l.besitzer = sys.besitzer(s);
    l.typ = sys.typ(s);
    l.einwohnerBasis = sys.einwohnerBasis(s);
    l.versorgungBasis = sys.versorgungBasis(s);
    l.forschungBasis = sys.forschungBasis(s);
    l.handelBasis = sys.handelBasis(s);
    l.werftBasis = sys.werftBasis(s);
    l.befestigungBasis = sys.befestigungBasis(s);
    if (!l.eigen) return l;
    l.einwohner = sys.einwohner(s);
    l.forschung = sys.forschung(s);
    l.handel = sys.handel(s);
    l.werft = sys.werft(s);
    l.schild = sys.schild(s);
    l.befestigung = sys.befestigung(s);
    l.befestigungMax = sys.befestigungMax(s);
    l.angegriffen = sys.angegriffen(s);
    l.handelsposten = sys.handelsposten(s);
    for (int k = 1; k <= 3; ++k) l.bauTyp[static_cast<std::size_t>(k - 1)] = sys.bauTyp(s, k);
    l.bauAuftraege = sys.bauAuftraege(s);
    return l;
}

}  // namespace

Lage lageErfassen(const Spielstand& spiel, const Feld<int>& abkommen, double zeit, const std::vector<Verlust>& verluste)
{
    Lage lage;
    const int eigen = spiel.eigenerSpieler;
    lage.eigenerSpieler = eigen;
    lage.spieleranzahl = spiel.Spieleranzahl;
    lage.tag = spiel.wirtschaft.spieltag;
    lage.zeit = zeit;
    lage.geld = spiel.wirtschaft.geld;
    lage.forschungsetat = spiel.wirtschaft.forschungsetat;
    lage.parkX = spiel.spieler.parkOffset(eigen, 1);
    lage.parkY = spiel.spieler.parkOffset(eigen, 2);
    for (int t = 1; t <= 12; ++t) {
        const ForschungsThema& f = spiel.forschung.thema(t);
        lage.forschung[static_cast<std::size_t>(t)] = {f.stufe, f.fortschritt, f.kosten, f.aktiv == 1};
    }
    for (int p = 1; p <= 4; ++p) lage.abkommen[static_cast<std::size_t>(p)] = abkommen(p);

    lage.systeme.reserve(static_cast<std::size_t>(spiel.Sternanzahl));
    for (int s = 1; s <= spiel.Sternanzahl; ++s) lage.systeme.push_back(systemSehen(spiel.systeme, s, eigen));

    const SchiffSatz& eigene = spiel.saetze(eigen);
    for (int k = 1; k <= eigene.anzahl; ++k) {
        LageSchiff s;
        s.nummer = k;
        s.typ = eigene.wert(kTyp, k);
        if (s.typ < 1 || s.typ > 8) continue;
        s.huelle = eigene.wert(kHuelle, k);
        s.schild = eigene.wert(kSchild, k);
        s.feuerkraft = eigene.wert(kFeuerkraft, k);
        s.angedockt = eigene.wert(kAngedockt, k);
        s.ort = eigene.wert(kOrt, k);
        s.ziel = eigene.wert(kZiel, k);
        s.x = eigene.wert(kX, k);
        s.y = eigene.wert(kY, k);
        s.flotte = eigene.wert(kFlotte, k);
        s.stehtStill = s.x == eigene.wert(kZielX, k) && s.y == eigene.wert(kZielY, k);
        lage.schiffe.push_back(s);
    }

    // Foreign fleets: only the first ship in space of each fleet is drawn, and only where the
    // sight rule of the co-player pass lets the local player see it.
    for (int p = 1; p <= spiel.Spieleranzahl; ++p) {
        if (p == eigen) continue;
        const SchiffSatz& satz = spiel.saetze(p);
        jedeFlotte(satz, [&](int i, int typ) {
            FremdeFlotte f{p, typ, satz.wert(kX, i), satz.wert(kY, i), satz.wert(kOrt, i)};
            if (mitspielerSichtbar(spiel.systeme, spiel.Sternanzahl, eigen, lage.stufe(5), eigene, f.x, f.y, f.ort))
                lage.fremdeFlotten.push_back(f);
        });
    }

    // Battles: a foreign fleet standing where own ships stand in space. The server reports a
    // battle wherever two players' ships stand in space at one system.
    for (int s = 1; s <= spiel.Sternanzahl; ++s) {
        const bool eigeneDa = std::any_of(lage.schiffe.begin(), lage.schiffe.end(), [&](const LageSchiff& k) {
            return k.angedockt == 0 && k.ort == s && k.stehtStill;
        });
        if (!eigeneDa) continue;
        std::vector<Gefecht> hier;
        for (const FremdeFlotte& f : lage.fremdeFlotten) {
            if (f.ort != s) continue;
            if (std::none_of(hier.begin(), hier.end(), [&](const Gefecht& g) { return g.spieler == f.spieler; }))
                hier.push_back({s, f.spieler, f.typ, 0});
        }
        if (hier.empty()) continue;
        const auto v = std::find_if(verluste.begin(), verluste.end(), [&](const Verlust& x) { return x.system == s; });
        if (v != verluste.end() && v->huelle > 0) {
            const long long bewiesen = static_cast<long long>(v->huelle) + static_cast<long long>(v->schiffe) * v->schildMin;
            for (Gefecht& g : hier)
                g.feuerkraft = static_cast<int>(std::min<long long>(bewiesen / static_cast<long long>(hier.size()), INT_MAX));
        }
        lage.gefechte.insert(lage.gefechte.end(), hier.begin(), hier.end());
    }
    return lage;
}

}  // namespace qz

#include "bot/verluste.hpp"

#include "systems/schiffstypen.hpp"
#include "systems/schiffswert.hpp"

#include <algorithm>
#include <climits>

namespace qz {

std::map<int, Aufstellung> eigeneImRaum(const Spielstand& spiel)
{
    std::map<int, Aufstellung> aufstellung;
    const int eigen = spiel.eigenerSpieler;
    const SchiffSatz& satz = spiel.saetze(eigen);
    const int schildStufe = spiel.forschung.thema(9).stufe;
    for (int i = 1; i <= satz.anzahl; ++i) {
        const int typ = schiffWert(satz, kTyp, i);
        const int ort = schiffWert(satz, kOrt, i);
        if (typ < 1 || typ > 8 || ort < 1 || schiffWert(satz, kAngedockt, i) != 0) continue;
        Aufstellung& a = aufstellung[ort];
        const int schild = schildMaximum(typ, schildStufe);
        a.schildMin = a.schiffe == 0 ? schild : std::min(a.schildMin, schild);
        ++a.schiffe;
        a.huelle += std::max(0, schiffWert(satz, kHuelle, i));
    }
    return aufstellung;
}

std::vector<Verlust> verlusteZwischen(const std::map<int, Aufstellung>& vorher, const std::map<int, Aufstellung>& nachher)
{
    std::vector<Verlust> verluste;
    for (const auto& [system, a] : vorher) {
        const auto danach = nachher.find(system);
        const int schiffe = danach == nachher.end() ? 0 : danach->second.schiffe;
        const long long huelle = danach == nachher.end() ? 0 : danach->second.huelle;
        if (schiffe >= a.schiffe && huelle >= a.huelle) continue;
        Verlust v;
        v.system = system;
        v.schiffe = a.schiffe;
        v.verloren = std::max(0, a.schiffe - schiffe);
        v.huelle = static_cast<int>(std::clamp<long long>(a.huelle - huelle, 0, INT_MAX));
        v.schildMin = a.schildMin;
        verluste.push_back(v);
    }
    return verluste;
}

}  // namespace qz

#include "bot/strategy/wege.hpp"

#include <algorithm>

namespace qz {

std::vector<int> Wegenetz::kette(int nach) const
{
    if (nach < 1 || nach >= static_cast<int>(abstand.size()) || !erreichbar(nach)) return {};
    std::vector<int> k;
    for (int s = nach; s != von; s = vorher[static_cast<std::size_t>(s)]) k.push_back(s);
    std::reverse(k.begin(), k.end());
    return k;
}

Wegenetz wegenetz(const Lage& lage, int von)
{
    const int n = static_cast<int>(lage.systeme.size());
    const auto at = [](int s) { return static_cast<std::size_t>(s); };
    Wegenetz netz;
    netz.von = von;
    netz.abstand.assign(at(n + 1), INT_MAX);
    netz.vorher.assign(at(n + 1), 0);
    if (von < 1 || von > n) return netz;
    std::vector<bool> fertig(at(n + 1), false);
    netz.abstand[at(von)] = 0;
    for (;;) {
        int u = 0;
        for (int s = 1; s <= n; ++s)
            if (!fertig[at(s)] && netz.abstand[at(s)] != INT_MAX && (u == 0 || netz.abstand[at(s)] < netz.abstand[at(u)]))
                u = s;
        if (u == 0) break;
        fertig[at(u)] = true;
        const LageSystem& su = lage.system(u);
        if (u != von && su.besitzer != 0 && !su.eigen) continue;  // an end, never a stop-over
        for (int v = 1; v <= n; ++v) {
            if (fertig[at(v)]) continue;
            const int d = lage.hopDistanz(u, v);
            if (d >= lage.reichweite()) continue;
            if (netz.abstand[at(u)] + d < netz.abstand[at(v)]) {
                netz.abstand[at(v)] = netz.abstand[at(u)] + d;
                netz.vorher[at(v)] = u;
            }
        }
    }
    return netz;
}

}  // namespace qz

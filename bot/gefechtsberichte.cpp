#include "bot/gefechtsberichte.hpp"

#include "gfx/text_numbers.hpp"
#include "multiplayer/exchange/tagged_records.hpp"

#include <algorithm>
#include <climits>
#include <string>

namespace qz {

namespace {

// A ship's value beyond any the rules give is a broken or hostile record: held to this.
constexpr int kWertGrenze = 1'000'000;

// One list of a slot inside a battle record: "sp" + slot + the list's tag.
std::vector<int> liste(std::string_view record, int slot, const char* tag)
{
    std::string inhalt;
    std::vector<int> werte;
    if (!recordLesen(record, "sp" + std::to_string(slot) + tag, inhalt)) return werte;
    std::size_t von = 0;
    while (von <= inhalt.size()) {
        const std::size_t komma = std::min(inhalt.find(',', von), inhalt.size());
        if (komma > von) werte.push_back(std::clamp(textToInt(inhalt.substr(von, komma - von)), 0, kWertGrenze));
        von = komma + 1;
    }
    return werte;
}

int summe(const std::vector<int>& werte)
{
    long long s = 0;
    for (int v : werte) s += v;
    return static_cast<int>(std::min<long long>(s, INT_MAX));
}

}  // namespace

std::vector<Gefecht> gefechteLesen(std::string_view antwort, int eigen, int sternanzahl)
{
    std::vector<Gefecht> gefechte;
    if (antwort.find("#kuml") == std::string_view::npos) return gefechte;
    std::string record;
    for (int s = 1; s <= sternanzahl; ++s) {
        if (!kampfRecordLesen(antwort, s, record) || liste(record, eigen, "ksid").empty()) continue;
        for (int p = 1; p <= 4; ++p) {
            if (p == eigen) continue;
            const std::vector<int> schiffe = liste(record, p, "ksid");
            if (schiffe.empty()) continue;
            const std::vector<int> huelle = liste(record, p, "klbp");
            const std::vector<int> schild = liste(record, p, "ksld");
            const std::vector<int> feuer = liste(record, p, "kfkt");
            Gefecht g;
            g.system = s;
            g.spieler = p;
            g.feindSchiffe = static_cast<int>(schiffe.size());
            g.feindHuelle = summe(huelle);
            g.feindFeuerkraft = summe(feuer);
            g.feindSchildMin = schild.empty() ? 0 : *std::min_element(schild.begin(), schild.end());
            gefechte.push_back(g);
        }
    }
    return gefechte;
}

}  // namespace qz

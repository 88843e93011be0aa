#include "state/schiffslisten.hpp"

#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"

#include <algorithm>
#include <charconv>
#include <vector>

namespace qz {

void schiffeSchneiden(const SchiffListen& listen, SchiffSatz& satz)
{
    for (int f = 0; f < kSchiffsfelder; ++f) satz.anzahl = STRINGSPLIT(listen.liste[f], ",", satz.feld[f]);
}

void schiffeVerbinden(const SchiffSatz& satz, SchiffListen& listen)
{
    // Which ships stay is decided once; then each master list is written in one sweep, which
    // keeps one growing text in the cache at a time.
    const Feld<std::string>& typ = satz.feld[kTyp];
    std::vector<int> bleiben;
    bleiben.reserve(static_cast<std::size_t>(std::max(satz.anzahl, 0)));
    for (int k = 1; k <= satz.anzahl; ++k)
        if (textToInt(typ(k)) > 0) bleiben.push_back(k);
    for (int f = 0; f < kSchiffsfelder; ++f) {
        std::string& liste = listen.liste[f];
        liste.clear();
        const Feld<std::string>& werte = satz.feld[f];
        for (int k : bleiben) {
            liste += ',';
            liste += werte(k);
        }
    }
}

int nummerNachVerbinden(const SchiffSatz& satz, int schiff)
{
    if (schiff < 1 || schiff > satz.anzahl) return 0;
    const Feld<std::string>& typ = satz.feld[kTyp];
    if (textToInt(typ(schiff)) <= 0) return 0;
    int nummer = 0;
    for (int k = 1; k <= schiff; ++k)
        if (textToInt(typ(k)) > 0) ++nummer;
    return nummer;
}

void schiffAnhaengen(SchiffListen& listen, const std::array<long long, kSchiffsfelder>& werte)
{
    for (int f = 0; f < kSchiffsfelder; ++f) {
        char buffer[24];
        auto end = std::to_chars(buffer, buffer + sizeof buffer, werte[f]).ptr;
        listen.liste[f] += ',';
        listen.liste[f].append(buffer, end);
    }
}

}  // namespace qz

#include "game/schiffslisten.hpp"

#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"

#include <charconv>

namespace qz {

void schiffeSchneiden(const SchiffListen& listen, SchiffSatz& satz)
{
    for (int f = 0; f < kSchiffsfelder; ++f) satz.anzahl = STRINGSPLIT(listen.liste[f], ",", satz.feld[f]);
}

void schiffeVerbinden(const SchiffSatz& satz, SchiffListen& listen)
{
    for (auto& l : listen.liste) l.clear();
    const Feld<std::string>& typ = satz.feld[kTyp];
    for (int k = 1; k <= satz.anzahl; ++k) {
        if (textToInt(typ(k)) <= 0) continue;
        for (int f = 0; f < kSchiffsfelder; ++f) {
            listen.liste[f] += ',';
            listen.liste[f] += satz.feld[f](k);
        }
    }
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

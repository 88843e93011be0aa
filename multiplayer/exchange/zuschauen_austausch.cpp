#include "multiplayer/exchange/zuschauen_austausch.hpp"

#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"
#include "multiplayer/exchange/server_exchange.hpp"
#include "multiplayer/exchange/spiel_anfrage.hpp"
#include "net/base64.hpp"
#include "replay/state_codec.hpp"

#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

namespace qz {

namespace {

// One entry ",seq:kind:base64" applied; false when it does not fit.
bool eintragAnwenden(std::string_view eintrag, Zuschauen& z)
{
    const std::size_t doppelpunkt = eintrag.find(':');
    if (doppelpunkt == std::string_view::npos || eintrag.size() < doppelpunkt + 3 || eintrag[doppelpunkt + 2] != ':')
        return false;
    const long long nummer = textToInt(std::string(eintrag.substr(0, doppelpunkt)));
    const char art = eintrag[doppelpunkt + 1];
    const bool ganz = art == '0';
    if (nummer <= 0 || (!ganz && (art != '1' || nummer != z.seit + 1))) return false;
    std::string text(eintrag.substr(doppelpunkt + 3));
    text.append((4 - text.size() % 4) % 4, '=');
    const std::optional<std::string> bytes = base64Dekodieren(text);
    if (!bytes) return false;
    try {
        if (ganz) z.zustand = {};
        replay::applyEntry(z.zustand, ganz ? replay::EntryKind::full : replay::EntryKind::changes, *bytes);
    } catch (const std::exception&) {
        return false;
    }
    z.seit = nummer;
    return true;
}

}  // namespace

bool zuschauenAnfordern(Serverdaten& server, const std::string& sitzung, const std::string& loginName,
                        const Zuschauen& z)
{
    return postRequest(server, [&](Feld<KVP>& get, Feld<KVP>& post) {
        setzePaar(get, 1, "PHPSESSID", sitzung);
        setzePaar(post, 1, "infos", "zuschauen");
        setzePaar(post, 2, "i1", loginName);
        setzePaar(post, 3, "seit", numberToText(static_cast<int>(z.seit)));
    });
}

bool zuschauenLesen(const std::string& antwort, Zuschauen& z)
{
    std::vector<std::string> felder;
    STRINGSPLIT(antwort, ";;", felder);
    if (felder.size() != 5 || felder[0] != "zuschauen") return false;
    z.verzoegerung = textToInt(felder[1]);
    z.warten = textToInt(felder[3]);
    const std::string& eintraege = felder[4];
    bool geaendert = false;
    for (std::size_t anfang = 1; anfang < eintraege.size();) {
        std::size_t ende = eintraege.find(',', anfang);
        if (ende == std::string::npos) ende = eintraege.size();
        if (!eintragAnwenden(std::string_view(eintraege).substr(anfang, ende - anfang), z)) {
            // Half applied or out of order: start again from the server's next whole state.
            z.zustand = {};
            z.seit = 0;
            z.gezeigtMs = -1;
            ++z.stand;
            return true;
        }
        geaendert = true;
        anfang = ende + 1;
    }
    z.gezeigtMs = z.seit > 0 ? std::strtoll(felder[2].c_str(), nullptr, 10) : -1;
    if (geaendert) ++z.stand;
    return true;
}

}  // namespace qz

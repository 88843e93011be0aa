#include "multiplayer/session/meldung.hpp"

#include "frame/server_texte.hpp"
#include "platform/uebersetzung.hpp"

namespace qz {

void meldungZeigen(Mehrspieler& mp, const Text& text, double jetzt)
{
    mp.meldung = text.utf8;
    mp.meldungBis = jetzt + kMeldungsdauer;
}

std::string fehlerMelden(std::string_view antwort, Mehrspieler& mp, double jetzt)
{
    constexpr std::string_view kKopf = "fehler;;";
    if (antwort.substr(0, kKopf.size()) != kKopf) return {};
    std::string_view grund = antwort.substr(kKopf.size());
    grund = grund.substr(0, grund.find(";;"));
    // A refusal without a reason is still a refusal.
    if (grund.empty()) {
        // TRANSLATORS: a refusal of the server that gave no reason.
        meldungZeigen(mp, tr("fehler"), jetzt);
        return "fehler";
    }
    meldungZeigen(mp, ablehnungText(grund), jetzt);
    return std::string(grund);
}

}  // namespace qz

#include "multiplayer/meldung.hpp"

namespace qz {

void meldungZeigen(Mehrspieler& mp, std::string text, double jetzt)
{
    mp.meldung = std::move(text);
    mp.meldungBis = jetzt + kMeldungsdauer;
}

std::string fehlerMelden(std::string_view antwort, Mehrspieler& mp, double jetzt)
{
    constexpr std::string_view kKopf = "fehler;;";
    if (antwort.substr(0, kKopf.size()) != kKopf) return {};
    std::string_view grund = antwort.substr(kKopf.size());
    grund = grund.substr(0, grund.find(";;"));
    // A refusal without a reason is still a refusal.
    std::string text = grund.empty() ? std::string("fehler") : std::string(grund);
    meldungZeigen(mp, text, jetzt);
    return text;
}

void meldungZeichnen(Rahmen& rahmen, const Mehrspieler& mp, int y)
{
    if (mp.meldung.empty() || rahmen.platform.timer() >= mp.meldungBis) return;
    rahmen.textMittig(512, y, mp.meldung, 0xFF0000);
}

}  // namespace qz

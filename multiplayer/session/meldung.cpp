#include "multiplayer/session/meldung.hpp"

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

}  // namespace qz

#include "multiplayer/exchange/aufzeichnungen_austausch.hpp"

#include "gfx/widgets.hpp"
#include "multiplayer/exchange/server_exchange.hpp"
#include "multiplayer/exchange/spiel_anfrage.hpp"
#include "net/base64.hpp"

#include <algorithm>
#include <charconv>

namespace qz {

namespace {

long long zahl(const std::string& text)
{
    long long wert = 0;
    std::from_chars(text.data(), text.data() + text.size(), wert);
    return wert;
}

}  // namespace

bool aufzeichnungenAnfordern(Serverdaten& server, const std::string& loginName)
{
    return postRequest(server, [&](Feld<KVP>& get, Feld<KVP>& post) {
        setzePaar(get, 1, "", "");
        setzePaar(post, 1, "infos", "aufzeichnungen_auflisten");
        setzePaar(post, 2, "i1", loginName);
    });
}

bool aufzeichnungAnfordern(Serverdaten& server, const std::string& loginName, const std::string& id)
{
    return postRequest(server, [&](Feld<KVP>& get, Feld<KVP>& post) {
        setzePaar(get, 1, "", "");
        setzePaar(post, 1, "infos", "aufzeichnung_holen");
        setzePaar(post, 2, "i1", loginName);
        setzePaar(post, 3, "i2", id);
    });
}

bool aufzeichnungenLesen(const std::string& antwort, std::vector<Aufzeichnungseintrag>& liste)
{
    std::vector<std::string> felder;
    STRINGSPLIT(antwort, ";;", felder);
    if (felder[0] != "aufzeichnungen_auflisten" || felder.size() < 6) return false;
    // Each list starts with a comma: its first piece is empty.
    std::vector<std::string> listen[5];
    std::size_t anzahl = 0;
    for (std::size_t k = 0; k < 5; ++k) {
        STRINGSPLIT(felder[k + 1], ",", listen[k]);
        anzahl = k == 0 ? listen[k].size() : std::min(anzahl, listen[k].size());
    }
    liste.clear();
    for (std::size_t i = 1; i < anzahl; ++i) {
        Aufzeichnungseintrag e;
        e.id = listen[0][i];
        e.kanal = listen[1][i];
        STRINGSPLIT(listen[2][i], ":", e.spieler);
        e.start = zahl(listen[3][i]);
        e.laenge = zahl(listen[4][i]);
        liste.push_back(std::move(e));
    }
    return true;
}

std::optional<replay::Recording> aufzeichnungLesen(const std::string& antwort)
{
    constexpr std::string_view kopf = "aufzeichnung_holen;;";
    if (antwort.compare(0, kopf.size(), kopf) != 0) return std::nullopt;
    const std::size_t datei = antwort.find(";;", kopf.size());
    if (datei == std::string::npos) return std::nullopt;
    const std::optional<std::string> bytes = base64Dekodieren(std::string_view(antwort).substr(datei + 2));
    if (!bytes) throw replay::QzrError(replay::QzrProblem::damaged, "recording damaged (no base64)");
    return replay::readQzr(*bytes);
}

}  // namespace qz

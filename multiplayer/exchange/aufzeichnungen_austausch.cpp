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

bool aufzeichnungAnfordern(Serverdaten& server, const std::string& loginName, const std::string& id, long long seit)
{
    return postRequest(server, [&](Feld<KVP>& get, Feld<KVP>& post) {
        setzePaar(get, 1, "", "");
        setzePaar(post, 1, "infos", "aufzeichnung_holen");
        setzePaar(post, 2, "i1", loginName);
        setzePaar(post, 3, "i2", id);
        setzePaar(post, 4, "seit", std::to_string(seit));
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

std::optional<bool> aufzeichnungsteilLesen(const std::string& antwort, const std::string& id, replay::Recording& aufnahme,
                                           long long& seit)
{
    std::vector<std::string> felder;
    STRINGSPLIT(antwort, ";;", felder);
    if (felder[0] != "aufzeichnung_holen" || felder.size() < 7 || felder[1] != id) return std::nullopt;
    const auto kaputt = [](const std::string& warum) {
        return replay::QzrError(replay::QzrProblem::damaged, "recording damaged (" + warum + ")");
    };
    aufnahme.channel = felder[2];
    STRINGSPLIT(felder[3], ":", aufnahme.players);
    aufnahme.startedAt = static_cast<double>(zahl(felder[4])) / 1000;
    const long long letzte = zahl(felder[5]);
    std::vector<std::string> eintraege;
    STRINGSPLIT(felder[6], ",", eintraege);
    if (eintraege.size() < 2 && seit < letzte) throw kaputt("a part without entries");
    for (std::size_t k = 1; k < eintraege.size(); ++k) {
        std::vector<std::string> teile;
        if (STRINGSPLIT(eintraege[k], ":", teile) != 3 || zahl(teile[0]) != seit + 1 || (teile[1] != "0" && teile[1] != "1"))
            throw kaputt("an entry out of order");
        // Stored without padding; the game's decoder takes only the canonical text.
        std::string text = teile[3];
        text.append((4 - text.size() % 4) % 4, '=');
        std::optional<std::string> bytes = base64Dekodieren(text);
        if (!bytes) throw kaputt("no base64");
        replay::RecordedEntry e;
        // Instances' clocks differ by a little; the recording's times never go back.
        e.atMilliseconds = std::max(aufnahme.entries.empty() ? 0 : aufnahme.entries.back().atMilliseconds, zahl(teile[2]));
        e.kind = teile[1] == "0" ? replay::EntryKind::full : replay::EntryKind::changes;
        e.data = std::move(*bytes);
        aufnahme.entries.push_back(std::move(e));
        seit += 1;
    }
    return seit >= letzte;
}

replay::Recording aufzeichnungPruefen(const replay::Recording& aufnahme) { return replay::readQzr(replay::writeQzr(aufnahme)); }

}  // namespace qz

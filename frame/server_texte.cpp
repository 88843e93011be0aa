#include "frame/server_texte.hpp"

#include "platform/uebersetzung.hpp"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace qz {

namespace {

// The server's list (its refusals.hpp), each marked for the catalogues.
constexpr std::array kAblehnungen = {
    trMark("Nicht angemeldet"), trMark("Sitzung fehlt"), trMark("Unbekannte Sitzung"), trMark("Unbekannter Spieler"),
    trMark("Gesperrt"), trMark("Passwort-Pruefsumme ungueltig"), trMark("Zu viele Fehlversuche, bitte spaeter erneut"),
    trMark("Zu viele Anmeldungen, bitte spaeter erneut"), trMark("Zu viele neue Konten von dieser Adresse"),
    trMark("Server voll"), trMark("Zu viele Channels von dieser Adresse"), trMark("Nur der Host startet das Spiel"),
    trMark("Spiel laeuft bereits"), trMark("Spiel nicht gestartet"), trMark("Spieler nicht im Channel"),
    trMark("Ungueltiger Spielstatus"), trMark("Unbekannte Aufzeichnung"), trMark("Aufzeichnungsteil ungueltig"),
    trMark("Zuschauer nicht erlaubt"), trMark("Zu viele Zuschauer"), trMark("Wer mitspielt, schaut nicht zu"),
    trMark("Zuschauer schreiben nicht ins Spiel"), trMark("Zuschauerwahl ungueltig"), trMark("Unbekannter Befehl"),
    trMark("Datenbank nicht erreichbar"),
    trMark("Serverfehler"), trMark("Zeitueberschreitung"), trMark("Anfrage zu gross"), trMark("Kopfzeilen zu gross"),
    trMark("Anfrage fehlerhaft"), trMark("Kein Zugang"), trMark("Absenderadresse ungueltig"),
    trMark("Server ausgelastet"), trMark("Kodierung fehlerhaft"), trMark("Zu viele Felder"),
    trMark("Schifflisten zu gross"), trMark("Schifflisten ungleich lang"), trMark("Besitzer ausserhalb in i9"),
    trMark("Wert ausserhalb in i10"), trMark("Schild zu hoch in pi2"), trMark("Befestigung zu hoch in pi3"),
    trMark("Schild zu hoch in i16"), trMark("Befestigung zu hoch in i17"), trMark("hvertrag braucht vier Werte"),
    trMark("si0 ungueltig"), trMark("pa0 ungueltig"), trMark("Angriffslisten ungleich lang"),
    trMark("Planetenlisten ungleich lang"), trMark("privat zu lang"), trMark("privat ungueltig"),
    trMark("privatholen ungueltig"), trMark("Handelswege unvollstaendig"), trMark("Sternanzahl ungueltig"),
    trMark("Sternkartenlisten ungleich lang"),
};

// The server's chat lines (its chat_lines.hpp). A placeholder takes at least one character;
// where a name could end at two places, the first one counts.
constexpr std::array kServerzeilen = {
    trMark("{spieler} ist beigetreten."),
    trMark("{spieler} hat die Verbindung verloren"),
    trMark("{spieler} ist zur\x81" "ck"),
    // TRANSLATORS: {system} is the name of the star system the player took by force.
    trMark("{spieler} hat {system} erobert."),
};

struct Platzhalter {
    std::string_view name;
    std::string_view wert;
};

// The values of the placeholders when `zeile` has the wording of `vorlage`, else nothing.
std::optional<std::vector<Platzhalter>> passt(std::string_view vorlage, std::string_view zeile)
{
    std::vector<Platzhalter> werte;
    std::size_t v = 0, z = 0;
    while (v < vorlage.size()) {
        const std::size_t auf = vorlage.find('{', v);
        const std::string_view stueck = vorlage.substr(v, auf - v);
        if (zeile.substr(z, stueck.size()) != stueck) return std::nullopt;
        z += stueck.size();
        if (auf == std::string_view::npos) break;
        const std::size_t zu = vorlage.find('}', auf);
        const std::size_t danach = zu + 1;
        const std::size_t naechster = vorlage.find('{', danach);
        const std::string_view folgt = vorlage.substr(danach, naechster - danach);
        // The value runs to the next piece of wording; after the last placeholder, to the
        // wording that ends the line.
        std::size_t ende = std::string_view::npos;
        if (naechster != std::string_view::npos) ende = zeile.find(folgt, z + 1);
        else if (zeile.size() >= z + 1 + folgt.size() && zeile.substr(zeile.size() - folgt.size()) == folgt)
            ende = zeile.size() - folgt.size();
        if (ende == std::string_view::npos) return std::nullopt;
        werte.push_back({vorlage.substr(auf + 1, zu - auf - 1), zeile.substr(z, ende - z)});
        z = ende;
        v = danach;
    }
    if (z != zeile.size()) return std::nullopt;
    return werte;
}

}  // namespace

std::span<const std::string_view> bekannteAblehnungen() { return kAblehnungen; }

std::span<const std::string_view> bekannteServerzeilen() { return kServerzeilen; }

Text ablehnungText(std::string_view grund)
{
    const bool bekannt = std::find(kAblehnungen.begin(), kAblehnungen.end(), grund) != kAblehnungen.end();
    return bekannt ? tr(grund) : textAusCp437(grund);
}

Text serverzeileText(std::string_view zeile)
{
    for (std::string_view vorlage : kServerzeilen) {
        const std::optional<std::vector<Platzhalter>> werte = passt(vorlage, zeile);
        if (!werte) continue;
        if (werte->size() == 1) return tr(vorlage, {{(*werte)[0].name, (*werte)[0].wert}});
        return tr(vorlage, {{(*werte)[0].name, (*werte)[0].wert}, {(*werte)[1].name, (*werte)[1].wert}});
    }
    return textAusCp437(zeile);
}

}  // namespace qz

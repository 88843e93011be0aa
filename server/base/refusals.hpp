// Every fixed reason the server gives when it refuses a request (the reply "fehler;;" + reason).
// The protocol has always carried them in German; the game recognises each one and shows it in
// the player's language, so this table is the one list both sides are checked against. A throw
// names its reason through refusal(), which does not compile for a text missing here.
// Reasons put together at run time (a field's name in "Keine Zahl in i5") are not listed: the
// game shows them as they come.
#pragma once

#include <array>
#include <string_view>

namespace qz::server {

inline constexpr std::array<std::string_view, 54> kRefusals = {
    // the player and the session
    "Nicht angemeldet", "Sitzung fehlt", "Unbekannte Sitzung", "Unbekannter Spieler", "Gesperrt",
    "Passwort-Pruefsumme ungueltig", "Zu viele Fehlversuche, bitte spaeter erneut",
    "Zu viele Anmeldungen, bitte spaeter erneut", "Zu viele neue Konten von dieser Adresse",
    // channels and the lobby
    "Server voll", "Zu viele Channels von dieser Adresse", "Nur der Host startet das Spiel", "Spiel laeuft bereits",
    "Spiel nicht gestartet", "Spieler nicht im Channel", "Ungueltiger Spielstatus",
    // recordings of ended games
    "Unbekannte Aufzeichnung", "Aufzeichnungsteil ungueltig",
    // spectators of a running game
    "Zuschauer nicht erlaubt", "Zu viele Zuschauer", "Wer mitspielt, schaut nicht zu",
    "Zuschauer schreiben nicht ins Spiel", "Zuschauerwahl ungueltig",
    // the server itself and the connection
    "Unbekannter Befehl", "Datenbank nicht erreichbar", "Serverfehler", "Zeitueberschreitung", "Anfrage zu gross",
    "Kopfzeilen zu gross", "Anfrage fehlerhaft", "Kein Zugang", "Absenderadresse ungueltig", "Server ausgelastet",
    "Kodierung fehlerhaft", "Zu viele Felder",
    // what a client sent that the rules or the records do not allow
    "Schifflisten zu gross", "Schifflisten ungleich lang", "Besitzer ausserhalb in i9", "Wert ausserhalb in i10",
    "Schild zu hoch in pi2", "Befestigung zu hoch in pi3", "Schild zu hoch in i16", "Befestigung zu hoch in i17",
    "hvertrag braucht vier Werte", "si0 ungueltig", "pa0 ungueltig", "Angriffslisten ungleich lang",
    "Planetenlisten ungleich lang", "privat zu lang", "privat ungueltig", "privatholen ungueltig",
    "Handelswege unvollstaendig", "Sternanzahl ungueltig", "Sternkartenlisten ungleich lang",
};

namespace detail {
// Not constexpr: reaching it in a constant evaluation is the compile error.
inline void reasonMissingFromKRefusals() {}
}  // namespace detail

consteval std::string_view refusal(std::string_view reason) {
    for (std::string_view known : kRefusals)
        if (known == reason) return reason;
    detail::reasonMissingFromKRefusals();
    return reason;
}

}  // namespace qz::server

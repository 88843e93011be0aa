// "Gegen den Computer": the number of computer players (1 to 3) and the level of each, and
// "Spiel Starten", which starts the private server, logs the player in there, and opens the
// lobby of a new channel, where the computer players take the free seats.
#include "multiplayer/play/zuruecksetzen.hpp"
#include "multiplayer/screens/meldung_anzeige.hpp"
#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"
#include "multiplayer/session/meldung.hpp"
#include "multiplayer/screens/mp_screens.hpp"
#include "multiplayer/screens/mp_widgets.hpp"
#include "multiplayer/exchange/server_exchange.hpp"
#include "multiplayer/exchange/spiel_anfrage.hpp"
#include "multiplayer/exchange/lobby_anfragen.hpp"
#include "platform/gemerkte_passwoerter.hpp"

#include <algorithm>
#include <random>
#include <vector>

namespace qz {

namespace {

// The player's name on the private server: the last login's name, as its password file keeps
// names without spaces.
std::string spielername(const Mehrspieler& mp)
{
    std::string name = mp.gemerkterName.empty() ? "Spieler" : mp.gemerkterName;
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
}

// A channel name of its own for every game: the computer players find theirs by name.
std::string kanalname()
{
    std::random_device zufall;
    static const char* kZiffern = "0123456789abcdef";
    std::string name = "KI-";
    for (int i = 0; i < 6; ++i) name += kZiffern[zufall() % 16];
    return name;
}

void serverStarten(Rahmen& r, Serverdaten& server, Mehrspieler& mp)
{
    Computerspiel& c = mp.computer;
    const double jetzt = r.platform.timer();
    const std::optional<std::filesystem::path> programm = serverProgramm();
    if (!programm) {
        meldungZeigen(mp, tr("qz-server nicht gefunden"), jetzt);
        return;
    }
    const std::string name = spielername(mp);
    std::string fehler;
    const std::optional<std::string> passwort =
        gemerktesPasswort((privaterServerOrdner() / "spieler.conf").string(), name, fehler);
    if (!passwort) {
        meldungZeigen(mp, tr("Anmeldung nicht gespeichert"), jetzt);
        return;
    }
    try {
        c.server.emplace(*programm, privaterServerOrdner());
    } catch (const std::runtime_error&) {
        meldungZeigen(mp, tr("Server startet nicht"), jetzt);
        return;
    }
    {
        std::lock_guard lock(server.Datenmutex);
        c.spielerServer = server.Serveradresse;
        server.Serveradresse = ServerAddress{"127.0.0.1", static_cast<std::uint16_t>(c.server->port())};
        server.Serverschluessel = c.server->schluessel();
        server.Serveronline = 1;
        server.Unerreichbar.clear();
    }
    c.spielerLogin = mp.LoginName;
    c.passwort = *passwort;
    mp.LoginName = name;
    server.Signalzeit = 0.0;
}

// As "Neues Spiel" and "Erstellen" set up the lobby of a new channel.
void kanalEinrichten(Rahmen& r, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp)
{
    const std::string name = mp.LoginName;
    mehrspielerZuruecksetzen(r, spiel, mp);
    spiel.eigenerSpieler = 1;
    spiel.spielLaeuft = 0;
    spiel.Spieleranzahl = 1 + mp.computer.anzahl;
    spiel.hintergrund = 1;
    spiel.Sternanzahl = 200;
    mp.SterneAngesagt = 200;
    mp.LoginName = name;
    mp.KanalName = kanalname();
    mp.KanalPasswort.clear();
    mp.SpielerName(1) = name;
    for (int n = 2; n <= 4; ++n) mp.SpielerName(n) = n <= spiel.Spieleranzahl ? "Offen" : "Geschlossen";
    mp.computer.nochZuStarten = mp.computer.anzahl;
    r.Unterzustand = "channel";
    server.Signalzeit = 0.0;
}

void anmelden(Rahmen& r, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp)
{
    const double jetzt = r.platform.timer();
    const std::string antwort = takeReply(server);
    if (!antwort.empty() && fehlerMelden(antwort, mp, jetzt).empty()) {
        if (antwort.rfind("loginok", 0) == 0) {
            kanalEinrichten(r, spiel, server, mp);
            return;
        }
        if (antwort.rfind("loginerror", 0) == 0) {
            meldungZeigen(mp, tr("Anmeldung abgelehnt"), jetzt);
            r.Programmzustand = "sandkasten";  // the next check ends the private server
            r.Unterzustand = "hauptmenu";
            return;
        }
    }
    if (jetzt < server.Signalzeit) return;
    server.Signalzeit = jetzt + 5.0;
    postRequest(server, [&](Feld<KVP>& get, Feld<KVP>& post) {
        anmeldungSchreiben(get, post, mp.LoginName, mp.computer.passwort);
    });
}

// A value row: the field picture at (452, y - 5) and each arrow while the value can move.
void wertZeile(Rahmen& r, int y, bool weniger, bool mehr, const Text& wert)
{
    r.zeichne(r.Oberflaechenbild(18), 452, y - 5);
    if (weniger) r.zeichne(r.Oberflaechenbild(3), 461, y);
    if (mehr) r.zeichne(r.Oberflaechenbild(4), 544, y);
    r.textMittig(512, y + 3, wert);
}

// The level box of computer player k of n: side by side 8 pixels apart, centred on the panel,
// each showing its level and moving it Leicht, Mittel, Schwer, Leicht at a click (as on the
// lobby's seats); the text starts 4 pixels into its box.
int stufenX(int k, int n)
{
    const int abstand = stufenfeldBreite() + 8;
    return 512 - n * abstand / 2 + (k - 1) * abstand + 4;
}

}  // namespace

void gegenComputerScreen(Rahmen& r, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp)
{
    Computerspiel& c = mp.computer;
    const bool verbindet = c.server.has_value();
    if (knopfKlick(r, 218, tr("Zur\x81" "ck"))) {
        r.Programmzustand = "sandkasten";
        r.Unterzustand = "hauptmenu";
    } else if (verbindet) {
        anmelden(r, spiel, server, mp);
    } else {
        if (c.anzahl > 1 && klick(r, 461, 481, 304, 324)) c.anzahl -= 1;
        if (c.anzahl < 3 && klick(r, 544, 564, 304, 324)) c.anzahl += 1;
        for (int k = 1; k <= c.anzahl; ++k) {
            const int x = stufenX(k, c.anzahl);
            if (klick(r, x - 4, x + stufenfeldBreite() - 4, 392, 414)) c.stufen(k) = c.stufen(k) >= kStufeSchwer ? kStufeLeicht : c.stufen(k) + 1;
        }
        if (knopfKlick(r, 449, tr("Spiel Starten"))) serverStarten(r, server, mp);
    }
    if (r.Programmzustand != "multiplayer" || r.Unterzustand != "computer") return;

    r.platform.screenLock();
    clear(r.screen());
    r.zeichne(r.Oberflaechenbild(19), 312, 184);
    menueKnopf(r, 218, tr("Zur\x81" "ck"));
    menueKnopf(r, 272, tr("Computerspieler"));
    wertZeile(r, 304, !verbindet && c.anzahl > 1, !verbindet && c.anzahl < 3, textAusCp437(numberToText(c.anzahl)));
    menueKnopf(r, 363, tr("Stufe"));
    for (int k = 1; k <= c.anzahl; ++k) {
        const int x = stufenX(k, c.anzahl);
        box(r.screen(), x - 4, 393, x + stufenfeldBreite() - 5, 412, verbindet ? 0xFF606060 : 0xFF3FA9F5);
        r.text(x, 395, tr(stufenText(c.stufen(k))));
    }
    if (verbindet) r.textMittig(512, 455, tr("Verbindungsaufbau"));
    else menueKnopf(r, 449, tr("Spiel Starten"));
    meldungZeichnen(r, mp, kMeldungMenueY);
    r.platform.screenUnlock();
    if (r.Mausereignis == 1 || r.Mausereignis == 2) r.Mausereignis = 0;
}

}  // namespace qz

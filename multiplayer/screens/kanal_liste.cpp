#include "multiplayer/screens/kanal_liste.hpp"
#include "multiplayer/exchange/lobby_anfragen.hpp"
#include "multiplayer/screens/meldung_anzeige.hpp"

#include "multiplayer/exchange/kanal_liste_antwort.hpp"
#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"
#include "multiplayer/session/meldung.hpp"
#include "multiplayer/exchange/server_exchange.hpp"
#include "multiplayer/screens/mp_screens.hpp"
#include "multiplayer/screens/mp_widgets.hpp"

#include <algorithm>
#include <vector>

namespace qz {

void SUB_CHANNEL_AUFLISTEN(Rahmen& r, int& auswahl, int& seite, int anzahl, Feld<std::string>&,
                           Feld<std::string>& namen, Feld<std::string>& passwoerter, Feld<std::string>& spieler,
                           Feld<std::string>& maxSpieler, Feld<std::string>& sterne,
                           const Feld<std::string>& laeuft, int mausX, int mausY, int& Mausereignis,
                           const ImagePtr& zeilenBild, const ImagePtr& weiterBild, const ImagePtr& zurueckBild)
{
    guarded([&] {
        for (int i = 5 * seite - 4; i <= std::min(5 * seite, anzahl); ++i) {
            const int y1 = (i - 5 * seite) * 39 + 506;
            const int y2 = y1 + 39;
            r.zeichne(zeilenBild, 362, y1);
            if (i == auswahl) box(r.screen(), 362, y1, 661, y2 - 1, 0xFFFFFFFF);
            r.text(370, y1 + 6, "NR:" + numberToText(i) + ", Name: " + namen(i));
            const bool eigenesSpiel = laeuft(i) == "1";
            if (eigenesSpiel) {
                r.text(370, y1 + 20, "l\x84uft - Fortsetzen, Sterne: " + sterne(i));
            } else {
                r.text(370, y1 + 20, "Spieler: " + spieler(i) + "/" + maxSpieler(i) + ", Sterne: " + sterne(i) +
                                         ", PW: " + (passwoerter(i).empty() ? "Nein" : "Ja"));
            }
            // A full channel takes nobody, but the player's own running game takes it back.
            if (Mausereignis == 1 && inBox(mausX, mausY, 362, 662, y1, y2) &&
                (eigenesSpiel || textToInt(spieler(i)) < textToInt(maxSpieler(i)))) {
                auswahl = i;
                Mausereignis = 42;
            }
        }
        if (5 * seite < anzahl) {
            r.zeichne(weiterBild, 642, 330);
            if (Mausereignis == 1 && inBox(mausX, mausY, 642, 662, 330, 350)) {
                seite += 1;
                auswahl = 0;
                Mausereignis = 42;
            }
        }
        if (seite > 1) {
            r.zeichne(zurueckBild, 362, 330);
            if (Mausereignis == 1 && inBox(mausX, mausY, 362, 382, 330, 350)) {
                seite -= 1;
                auswahl = 0;
                Mausereignis = 42;
            }
        }
        if (Mausereignis == 2 && auswahl > 0) {
            auswahl = 0;
            Mausereignis = 0;
        }
    });
}

namespace {

void listeLesen(Serverdaten& server, Mehrspieler& mp, double jetzt)
{
    {
        std::lock_guard lock(server.Datenmutex);
        if (server.Anfrageoffen == 1) return;
    }
    const std::string antwort = takeReply(server);
    if (antwort.empty() || !fehlerMelden(antwort, mp, jetzt).empty()) return;
    kanalListeLesen(antwort, mp);
}

}  // namespace

void kanalListeScreen(Rahmen& r, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp)
{
    listeLesen(server, mp, r.platform.timer());
    if (knopfKlick(r, 218, 243)) {
        r.Unterzustand = "hauptmenu";
    } else if (knopfKlick(r, 272, 297)) {
        mp.KanalSeite = 1;
        mp.KanalAuswahl = 0;
        kanalListeAnfordern(r, server, mp.LoginName);
    } else if (mp.KanalAuswahl > 0 && knopfKlick(r, 326, 351)) {
        kanalBetreten(spiel, mp, mp.KanalAuswahl);
        r.Unterzustand = "channel";
        mp.KanalAuswahl = 0;
    }

    r.platform.screenLock();
    clear(r.screen());
    r.zeichne(r.Oberflaechenbild(19), 312, 184);
    menueKnopf(r, 218, "Zur\x81" "ck");
    menueKnopf(r, 272, "Aktualisieren");
    if (mp.KanalAuswahl > 0) menueKnopf(r, 326, "Beitreten");
    if (mp.KanalAnzahl <= 0) {
        r.textMittig(512, 400, "Es wurden keine offene Spiele gefunden.");
    } else {
        SUB_CHANNEL_AUFLISTEN(r, mp.KanalAuswahl, mp.KanalSeite, mp.KanalAnzahl, mp.KanalIds, mp.KanalNamen,
                              mp.KanalPasswoerter, mp.KanalSpieler, mp.KanalMaxSpieler, mp.KanalSterne, mp.KanalLaeuft, r.MausX,
                              r.MausY, r.Mausereignis, r.Oberflaechenbild(21), r.Oberflaechenbild(16),
                              r.Oberflaechenbild(17));
    }
    meldungZeichnen(r, mp, kMeldungMenueY);
    r.platform.screenUnlock();
    if (r.Mausereignis == 1 || r.Mausereignis == 2) r.Mausereignis = 0;
}

}  // namespace qz

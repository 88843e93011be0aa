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
#include <array>
#include <vector>

namespace qz {

namespace {

// The rows of a page share one width: the picture's 300 pixels, or wider for a longer
// translation.
constexpr int kZeilenBreite = 300;

// The two lines of each row of the page, from `erste` to `letzte`.
std::vector<std::array<Text, 2>> seitenZeilen(int erste, int letzte, const Feld<std::string>& namen,
                                              const Feld<std::string>& passwoerter, const Feld<std::string>& spieler,
                                              const Feld<std::string>& maxSpieler, const Feld<std::string>& sterne,
                                              const Feld<std::string>& laeuft, const Feld<std::string>& zuschauen)
{
    std::vector<std::array<Text, 2>> zeilen;
    for (int i = erste; i <= letzte; ++i) {
        const Text kopf = tr("NR:{nr}, Name: {name}", {{"nr", i}, {"name", namen(i)}});
        const Text stand =
            laeuft(i) == "1" ? tr("l\x84uft - Fortsetzen, Sterne: {sterne}", {{"sterne", sterne(i)}})
            : !zuschauen(i).empty()
                ? tr("l\x84uft - Zuschauen, {minuten} Min. verz\x94gert, Sterne: {sterne}",
                     {{"minuten", textToInt(zuschauen(i)) / 60}, {"sterne", sterne(i)}})
                : tr("Spieler: {spieler}/{max}, Sterne: {sterne}, PW: {passwort}",
                     {{"spieler", spieler(i)}, {"max", maxSpieler(i)}, {"sterne", sterne(i)},
                      {"passwort", passwoerter(i).empty() ? tr("Nein") : tr("Ja")}});
        zeilen.push_back({kopf, stand});
    }
    return zeilen;
}

int zeilenBreite(const std::vector<std::array<Text, 2>>& zeilen)
{
    int breite = kZeilenBreite;
    for (const auto& [kopf, stand] : zeilen) breite = std::max({breite, textBreite(kopf) + 16, textBreite(stand) + 16});
    return breite;
}

}  // namespace

void SUB_CHANNEL_AUFLISTEN(Rahmen& r, int& auswahl, int& seite, int anzahl, Feld<std::string>&,
                           Feld<std::string>& namen, Feld<std::string>& passwoerter, Feld<std::string>& spieler,
                           Feld<std::string>& maxSpieler, Feld<std::string>& sterne,
                           const Feld<std::string>& laeuft, const Feld<std::string>& zuschauen, int mausX,
                           int mausY, int& Mausereignis, const ImagePtr& zeilenBild, const ImagePtr& weiterBild,
                           const ImagePtr& zurueckBild)
{
    guarded([&] {
        const int erste = 5 * seite - 4;
        const int letzte = std::min(5 * seite, anzahl);
        const std::vector<std::array<Text, 2>> zeilen =
            seitenZeilen(erste, letzte, namen, passwoerter, spieler, maxSpieler, sterne, laeuft, zuschauen);
        const int breite = zeilenBreite(zeilen);
        const int x1 = 512 - breite / 2;
        for (int i = erste; i <= letzte; ++i) {
            const int y1 = (i - 5 * seite) * 39 + 506;
            const int y2 = y1 + 39;
            if (breite == kZeilenBreite) r.zeichne(zeilenBild, x1, y1);
            else breitZeichnen(r, zeilenBild, 512, y1, breite);
            if (i == auswahl) box(r.screen(), x1, y1, x1 + breite - 1, y2 - 1, 0xFFFFFFFF);
            const std::array<Text, 2>& zeile = zeilen[static_cast<std::size_t>(i - erste)];
            r.text(x1 + 8, y1 + 6, zeile[0]);
            r.text(x1 + 8, y1 + 20, zeile[1]);
            const bool eigenesSpiel = laeuft(i) == "1";
            // A full channel takes nobody, but the player's own running game takes it back, and
            // a running game others may watch takes spectators.
            if (Mausereignis == 1 && inBox(mausX, mausY, x1, x1 + breite, y1, y2) &&
                (eigenesSpiel || !zuschauen(i).empty() || textToInt(spieler(i)) < textToInt(maxSpieler(i)))) {
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

// The button for the selected row: a game to join, or a running one to watch.
const Text& auswahlKnopf(const Mehrspieler& mp)
{
    return mp.KanalZuschauen(mp.KanalAuswahl).empty() ? tr("Beitreten") : tr("Zuschauen");
}

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
    if (knopfKlick(r, 218, tr("Zur\x81" "ck"))) {
        r.Unterzustand = "hauptmenu";
    } else if (knopfKlick(r, 272, tr("Aktualisieren"))) {
        mp.KanalSeite = 1;
        mp.KanalAuswahl = 0;
        kanalListeAnfordern(r, server, mp.LoginName);
    } else if (mp.KanalAuswahl > 0 && knopfKlick(r, 326, auswahlKnopf(mp))) {
        if (!mp.KanalZuschauen(mp.KanalAuswahl).empty()) {
            zuschauenBeginnen(r, mp, mp.KanalAuswahl);
        } else {
            kanalBetreten(spiel, mp, mp.KanalAuswahl);
            r.Unterzustand = "channel";
        }
        mp.KanalAuswahl = 0;
    }

    r.platform.screenLock();
    clear(r.screen());
    // Rows wider than the panel's room widen the panel about its middle.
    int panel = 400;
    if (mp.KanalAnzahl > 0) {
        const int seite = mp.KanalSeite;
        panel = std::max(panel, zeilenBreite(seitenZeilen(5 * seite - 4, std::min(5 * seite, mp.KanalAnzahl), mp.KanalNamen,
                                                          mp.KanalPasswoerter, mp.KanalSpieler, mp.KanalMaxSpieler,
                                                          mp.KanalSterne, mp.KanalLaeuft, mp.KanalZuschauen)) +
                                16);
    }
    r.zeichneBreit(r.Oberflaechenbild(19), 512 - panel / 2, 184, panel);
    menueKnopf(r, 218, tr("Zur\x81" "ck"));
    menueKnopf(r, 272, tr("Aktualisieren"));
    if (mp.KanalAuswahl > 0)
        menueKnopf(r, 326, auswahlKnopf(mp));
    if (mp.KanalAnzahl <= 0) {
        textMittigUmbrochen(r, 512, 400, tr("Es wurden keine offene Spiele gefunden."), kPanelTextBreite);
    } else {
        SUB_CHANNEL_AUFLISTEN(r, mp.KanalAuswahl, mp.KanalSeite, mp.KanalAnzahl, mp.KanalIds, mp.KanalNamen,
                              mp.KanalPasswoerter, mp.KanalSpieler, mp.KanalMaxSpieler, mp.KanalSterne, mp.KanalLaeuft,
                              mp.KanalZuschauen, r.MausX,
                              r.MausY, r.Mausereignis, r.Oberflaechenbild(21), r.Oberflaechenbild(16),
                              r.Oberflaechenbild(17));
    }
    meldungZeichnen(r, mp, kMeldungMenueY);
    r.platform.screenUnlock();
    if (r.Mausereignis == 1 || r.Mausereignis == 2) r.Mausereignis = 0;
}

}  // namespace qz

// The lobby: the four slots with names and colours, the colour swatches, "Bereit", the host's
// star count and "Spiel Starten" with the star-map generation, the host's "Computer
// hinzufügen" with a level for each free seat, the lobby's requests and the entry into the
// running game.
#include "multiplayer/screens/computer_kanal.hpp"
#include "multiplayer/screens/meldung_anzeige.hpp"
#include "platform/folders.hpp"
#include "gfx/text_numbers.hpp"
#include "multiplayer/private/computerspiel.hpp"
#include "multiplayer/session/meldung.hpp"
#include "multiplayer/exchange/lobby_antwort.hpp"
#include "multiplayer/play/lobby_start.hpp"
#include "multiplayer/screens/mp_screens.hpp"
#include "multiplayer/screens/mp_widgets.hpp"
#include "multiplayer/exchange/server_exchange.hpp"

#include <algorithm>
#include <array>

namespace qz {

namespace {

// Swatch k (1..8) covers x kSwatch[k - 1] .. kSwatch[k], y 395..415.
constexpr int kSwatch[9] = {461, 473, 486, 499, 512, 525, 538, 551, 563};

// Right of a free seat's name: "Computer hinzufügen" at x 470 and its level at x 634, each in
// a frame; a longer translation widens the frames, the level's moving right.
constexpr int kHinzufuegenX = 470;
constexpr int kStufeX = 634;

int hinzufuegenBreite()
{
    int breite = 160;
    for (std::string_view text : {trMark("Computer hinzuf\x81gen"), trMark("Computer kommt"), trMark("Start gescheitert")})
        breite = std::max(breite, textBreite(tr(text)) + 8);
    return breite;
}

int stufeX() { return std::max(kStufeX, kHinzufuegenX + hinzufuegenBreite() + 4); }

// The panel, 400 pixels wide, grows about its middle to hold the level's frame clear of its
// glowing inner edge.
int panelBreite() { return std::max(400, 2 * (stufeX() - 4 + stufenfeldBreite() - 512 + 16)); }

// The name in a seat; a free or closed seat is named by the protocol's word for it.
Text sitzName(const std::string& name)
{
    if (name == "Offen") return tr("Offen");
    if (name == "Geschlossen") return tr("Geschlossen");
    return textAusCp437(name);
}

int slotY(int n) { return 480 + 24 * (n - 1); }

enum class Sitz { sonst, computerKommt, gescheitert, frei };

// What each seat offers the host: a free seat "Computer hinzufügen", unless a computer player
// already started is on its way to it (they take the free seats from the top), or one started
// for it ended without sitting down, which the seat shows until the host has clicked it away.
std::array<Sitz, 5> sitze(const Spielstand& spiel, Mehrspieler& mp)
{
    std::array<Sitz, 5> sitz{};
    sitz.fill(Sitz::sonst);
    if (spiel.eigenerSpieler != 1 || spiel.spielLaeuft == 1 || mp.startAusstehend || mp.senden.SessionId.empty())
        return sitz;
    int unterwegs = wartendeComputerspieler(mp.computer, mp);
    int gescheitert = gescheiterteComputerspieler(mp.computer);
    for (int n = 2; n <= std::min(spiel.Spieleranzahl, 4); ++n) {
        if (mp.SpielerName(n) != "Offen") continue;
        Sitz& s = sitz[static_cast<std::size_t>(n)];
        if (unterwegs > 0) {
            s = Sitz::computerKommt;
            --unterwegs;
        } else if (gescheitert > 0) {
            s = Sitz::gescheitert;
            --gescheitert;
        } else {
            s = Sitz::frei;
        }
    }
    return sitz;
}

void computerHinzufuegen(Rahmen& r, Serverdaten& server, Mehrspieler& mp, int stufe)
{
    std::string adresse;
    {
        std::lock_guard lock(server.Datenmutex);
        adresse = serverAddressText(server.Serveradresse);
    }
    // On a shared server the computer players' names carry the player's, so two players'
    // computer players never share a login.
    const std::string login = mp.computer.server ? std::string() : mp.LoginName;
    std::string fehler;
    if (!computerspielerStarten(mp.computer, adresse, login, mp.senden.SessionId, stufe, fehler))
        meldungZeigen(mp, tr(fehler), r.platform.timer());
}

void sitzWahl(Rahmen& r, Serverdaten& server, Mehrspieler& mp, const std::array<Sitz, 5>& sitz)
{
    for (int n = 2; n <= 4; ++n) {
        const int y = slotY(n);
        if (sitz[static_cast<std::size_t>(n)] == Sitz::gescheitert &&
            klick(r, kHinzufuegenX - 4, kHinzufuegenX - 4 + hinzufuegenBreite(), y - 3, y + 18)) {
            // Seen: the seat offers a computer player again.
            for (Computerspiel::Computerspieler& s : mp.computer.spieler)
                if (s.prozess.gescheitert() && !s.gesessen && !s.gemeldet) {
                    s.gemeldet = true;
                    break;
                }
        }
        if (sitz[static_cast<std::size_t>(n)] != Sitz::frei) continue;
        int& stufe = mp.computer.sitzStufe(n);
        if (klick(r, kHinzufuegenX - 4, kHinzufuegenX - 4 + hinzufuegenBreite(), y - 3, y + 18))
            computerHinzufuegen(r, server, mp, stufe);
        else if (klick(r, stufeX() - 4, stufeX() - 4 + stufenfeldBreite(), y - 3, y + 18))
            stufe = stufe >= kStufeSchwer ? kStufeLeicht : stufe + 1;
    }
}

// True when a seat other than the own holds colour k, as the last reply showed the seats.
bool farbeVergeben(const Spielstand& spiel, int k)
{
    for (int n = 1; n <= std::min(spiel.Spieleranzahl, 4); ++n)
        if (n != spiel.eigenerSpieler && spiel.spieler.spielerFarbe(n, 0) == k) return true;
    return false;
}

// A click on a swatch or on "Bereit" either takes effect or says why not. "Bereit" goes out
// with the colour just chosen: the server takes the colour first and the ready flag with it.
void farbeUndBereit(Rahmen& r, Spielstand& spiel, Mehrspieler& mp, bool bereitGeklickt)
{
    const double jetzt = r.platform.timer();
    const int eigen = spiel.eigenerSpieler;
    if (bereitGeklickt) {
        if (eigen < 1) meldungZeigen(mp, tr("Noch kein Platz im Kanal"), jetzt);
        else if (mp.GewaehlteFarbe < 1 && spiel.spieler.spielerFarbe(eigen, 0) < 1)
            meldungZeigen(mp, tr("Erst eine Farbe w\x84hlen"), jetzt);
        else mp.EigenesBereit = 1;
    }
    if (eigen < 1) return;
    for (int k = 1; k <= 8; ++k) {
        if (!klick(r, kSwatch[k - 1], kSwatch[k], 395, 415)) continue;
        if (farbeVergeben(spiel, k)) meldungZeigen(mp, tr("Farbe schon vergeben"), jetzt);
        else mp.GewaehlteFarbe = k;
    }
}

// The server gave the colour asked for to another seat first: the palette shows the own seat's
// colour again, and the player learns why.
void farbeAbgelehnt(Rahmen& r, Spielstand& spiel, Mehrspieler& mp)
{
    const int eigen = spiel.eigenerSpieler;
    if (eigen < 1 || mp.GewaehlteFarbe < 1 || !farbeVergeben(spiel, mp.GewaehlteFarbe)) return;
    mp.GewaehlteFarbe = spiel.spieler.spielerFarbe(eigen, 0);
    meldungZeigen(mp, tr("Farbe schon vergeben"), r.platform.timer());
}

// The level of the computer player this game started under `name`; 0 for anyone else.
int computerStufe(const Computerspiel& c, const std::string& name)
{
    for (const Computerspiel::Computerspieler& s : c.spieler)
        if (s.name == name) return s.stufe;
    return 0;
}

Farbe palettenFarbe(int index)
{
    int rot = 0, gruen = 0, blau = 0;
    farbeVonIndex(index, rot, gruen, blau);
    return 0xFF000000u + static_cast<Farbe>(rot * 65536 + gruen * 256 + blau);
}

void spielBeginnen(Rahmen& r, Spielstand& spiel, Mehrspieler& mp, const Bildquellen& quellen)
{
    r.Unterzustand.clear();
    spielstartWerte(spiel);
    // Back in the own seat: the game waits for what the player had before its first day.
    mp.eigenerTeilHolen = mp.wiedereinstieg;
    r.Hintergrundbild = quellen.jpeg(dataFile("material/2/" + numberToText(spiel.hintergrund) + ".orn-games"));
    for (int p = 1; p <= spiel.Spieleranzahl; ++p) {
        const int farbe = spiel.spieler.spielerFarbe(p, 0);
        if (farbe < 1 || farbe > 8) continue;
        for (int t = 1; t <= 8; ++t)
            r.Schiffbild(p, t) =
                quellen.png(dataFile("material/4/" + numberToText(farbe) + "/" + numberToText(t) + ".orn-games"));
    }
}

void zeichnen(Rahmen& r, const Spielstand& spiel, const Mehrspieler& mp, bool startKnopf, const std::array<Sitz, 5>& sitz)
{
    r.platform.screenLock();
    clear(r.screen());
    r.zeichneBreit(r.Oberflaechenbild(19), 512 - panelBreite() / 2, 184, panelBreite());
    menueKnopf(r, 218, tr("Zur\x81" "ck"));
    menueKnopf(r, 272, tr("Sternanzahl"));
    r.zeichne(r.Oberflaechenbild(18), 452, 299);
    if (spiel.eigenerSpieler == 1) {
        if (spiel.Sternanzahl > 50) r.zeichne(r.Oberflaechenbild(3), 461, 304);
        if (spiel.Sternanzahl < 200) r.zeichne(r.Oberflaechenbild(4), 544, 304);
    }
    r.textMittig(512, 307, numberToText(spiel.Sternanzahl));
    menueKnopf(r, 363, tr("Spielerfarbe"));
    if (spiel.eigenerSpieler > 0) {
        for (int k = 1; k <= 8; ++k) filledBox(r.screen(), kSwatch[k - 1] + 1, 396, kSwatch[k] - 1, 414, palettenFarbe(k));
        const int gewaehlt = mp.GewaehlteFarbe;
        if (gewaehlt >= 1 && gewaehlt <= 8) box(r.screen(), kSwatch[gewaehlt - 1], 395, kSwatch[gewaehlt], 415, 0xFFFFFFFF);
    }
    if (mp.startAusstehend) {
        // Inactive until the start is reported: greyed like the disabled menu entries.
        const Text& label = tr("Spiel Starten");
        const Rahmen::Spanne s = Rahmen::spanneUnter(434, kKnopfBreite, label);
        r.zeichneUnter(r.Oberflaechenbild(11), 434, 449, label);
        filledBox(r.screen(), s.x1 + 6, 455, s.x2 - 7, 468, 0xFF3B3B3B);
        r.textMittig(512, 455, label);
    } else {
        menueKnopf(r, 449, startKnopf ? tr("Spiel Starten") : tr("Bereit"));
    }
    for (int n = 1; n <= 4; ++n) {
        const int y = slotY(n);
        const int farbe = spiel.spieler.spielerFarbe(n, 0);
        if (farbe > 0) filledBox(r.screen(), 330, y, 350, y + 16, palettenFarbe(farbe));
        const Text name = sitzName(mp.SpielerName(n));
        const Text zeile = n <= spiel.Spieleranzahl && mp.BereitFlag(n) == 1 && farbe > 0
                               ? tr("{spieler} (bereit)", {{"spieler", name}})
                               : name;
        // Centred on x 433, but never over the colour box: a longer line starts right of it.
        r.text(std::max(354, centredX(433, zeile)), y, zeile);
        if (const int stufe = computerStufe(mp.computer, mp.SpielerName(n)); stufe > 0) {
            r.text(stufeX(), y, tr(stufenText(stufe)), 0xA0A0A0);
        } else if (sitz[static_cast<std::size_t>(n)] == Sitz::computerKommt) {
            r.text(kHinzufuegenX, y, tr("Computer kommt"), 0xA0A0A0);
        } else if (sitz[static_cast<std::size_t>(n)] == Sitz::gescheitert) {
            box(r.screen(), kHinzufuegenX - 4, y - 2, kHinzufuegenX - 5 + hinzufuegenBreite(), y + 17, 0xFF3FA9F5);
            r.text(kHinzufuegenX, y, tr("Start gescheitert"), 0xFF4040);
        } else if (sitz[static_cast<std::size_t>(n)] == Sitz::frei) {
            box(r.screen(), kHinzufuegenX - 4, y - 2, kHinzufuegenX - 5 + hinzufuegenBreite(), y + 17, 0xFF3FA9F5);
            r.text(kHinzufuegenX, y, tr("Computer hinzuf\x81gen"));
            box(r.screen(), stufeX() - 4, y - 2, stufeX() - 5 + stufenfeldBreite(), y + 17, 0xFF3FA9F5);
            r.text(stufeX(), y, tr(stufenText(mp.computer.sitzStufe(n))));
        }
    }
    meldungZeichnen(r, mp, kMeldungMenueY);
    r.platform.screenUnlock();
}

}  // namespace

void lobbyScreen(Rahmen& r, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp, const Bildquellen& quellen)
{
    const std::string antwort = takeReply(server);
    if (!antwort.empty() && fehlerMelden(antwort, mp, r.platform.timer()).empty()) {
        lobbyAntwortAnwenden(antwort, spiel, mp);
        farbeAbgelehnt(r, spiel, mp);
    }

    if (knopfKlick(r, 218, tr("Zur\x81" "ck"))) r.Unterzustand = "hauptmenu";
    if (spiel.eigenerSpieler == 1) {
        if (spiel.Sternanzahl > 50 && klick(r, 461, 481, 304, 324)) {
            spiel.Sternanzahl -= 50;
            mp.SterneAngesagt = spiel.Sternanzahl;
        }
        if (spiel.Sternanzahl < 200 && klick(r, 544, 564, 304, 324)) {
            spiel.Sternanzahl += 50;
            mp.SterneAngesagt = spiel.Sternanzahl;
        }
    }
    mp.senden.bereitAnzahl = 0;
    for (int n = 1; n <= std::min(spiel.Spieleranzahl, 4); ++n) mp.senden.bereitAnzahl += mp.BereitFlag(n) == 1 ? 1 : 0;
    const bool startKnopf = spiel.eigenerSpieler == 1 && mp.senden.bereitAnzahl == spiel.Spieleranzahl;
    bool bereitGeklickt = false;
    if (knopfKlick(r, 449, mp.startAusstehend || startKnopf ? tr("Spiel Starten") : tr("Bereit"))) {
        if (mp.startAusstehend) {
            // A second star map would differ from the one the server already keeps.
        } else if (startKnopf) {
            mp.startAusstehend = true;
            mp.SternkarteBereit = 21;
            sternkarteErzeugen(r.platform, spiel, r.platform.timer());
        } else {
            bereitGeklickt = true;
        }
    }
    farbeUndBereit(r, spiel, mp, bereitGeklickt);
    sitzWahl(r, server, mp, sitze(spiel, mp));
    lobbyAnfragen(r.platform.timer(), spiel, server, mp, r.Version);
    slotFarbenSetzen(spiel);
    const bool beginnt = spiel.spielLaeuft == 1 && spiel.eigenerSpieler > 0;
    zeichnen(r, spiel, mp, startKnopf, sitze(spiel, mp));
    if (beginnt) spielBeginnen(r, spiel, mp, quellen);
    if (r.Mausereignis == 1 || r.Mausereignis == 2) r.Mausereignis = 0;
}

}  // namespace qz

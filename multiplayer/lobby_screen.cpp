// The lobby: the four slots with names and colours, the colour swatches, "Bereit", the host's
// star count and "Spiel Starten" with the star-map generation, the lobby's requests and the
// entry into the running game.
#include "platform/folders.hpp"
#include "gfx/text_numbers.hpp"
#include "multiplayer/meldung.hpp"
#include "multiplayer/lobby_antwort.hpp"
#include "multiplayer/lobby_start.hpp"
#include "multiplayer/mp_screens.hpp"
#include "multiplayer/mp_widgets.hpp"
#include "multiplayer/server_exchange.hpp"

namespace qz {

namespace {

// Swatch k (1..8) covers x kSwatch[k - 1] .. kSwatch[k], y 395..415.
constexpr int kSwatch[9] = {461, 473, 486, 499, 512, 525, 538, 551, 563};

Farbe palettenFarbe(int index)
{
    int rot = 0, gruen = 0, blau = 0;
    farbeVonIndex(index, rot, gruen, blau);
    return 0xFF000000u + static_cast<Farbe>(rot * 65536 + gruen * 256 + blau);
}

void spielBeginnen(Rahmen& r, Spielstand& spiel, const Bildquellen& quellen)
{
    r.Unterzustand.clear();
    spielstartWerte(spiel);
    r.Hintergrundbild = quellen.jpeg(dataFile("material/2/" + numberToText(spiel.hintergrund) + ".orn-games"));
    for (int p = 1; p <= spiel.Spieleranzahl; ++p) {
        const int farbe = spiel.spieler.spielerFarbe(p, 0);
        if (farbe < 1 || farbe > 8) continue;
        for (int t = 1; t <= 8; ++t)
            r.Schiffbild(p, t) =
                quellen.png(dataFile("material/4/" + numberToText(farbe) + "/" + numberToText(t) + ".orn-games"));
    }
}

void zeichnen(Rahmen& r, const Spielstand& spiel, const Mehrspieler& mp, bool startKnopf)
{
    r.platform.screenLock();
    clear(r.screen());
    r.zeichne(r.Oberflaechenbild(19), 312, 184);
    menueKnopf(r, 218, "Zur\x81" "ck");
    menueKnopf(r, 272, "Sternanzahl");
    r.zeichne(r.Oberflaechenbild(18), 452, 299);
    if (spiel.eigenerSpieler == 1) {
        if (spiel.Sternanzahl > 50) r.zeichne(r.Oberflaechenbild(3), 461, 304);
        if (spiel.Sternanzahl < 200) r.zeichne(r.Oberflaechenbild(4), 544, 304);
    }
    r.textMittig(512, 307, numberToText(spiel.Sternanzahl));
    menueKnopf(r, 363, "Spielerfarbe");
    if (spiel.eigenerSpieler > 0) {
        for (int k = 1; k <= 8; ++k) filledBox(r.screen(), kSwatch[k - 1] + 1, 396, kSwatch[k] - 1, 414, palettenFarbe(k));
        const int gewaehlt = mp.GewaehlteFarbe;
        if (gewaehlt >= 1 && gewaehlt <= 8) box(r.screen(), kSwatch[gewaehlt - 1], 395, kSwatch[gewaehlt], 415, 0xFFFFFFFF);
    }
    if (mp.startAusstehend) {
        // Inactive until the start is reported: greyed like the disabled menu entries.
        r.zeichne(r.Oberflaechenbild(11), 434, 449);
        filledBox(r.screen(), 440, 455, 583, 468, 0xFF3B3B3B);
        r.textMittig(512, 455, "Spiel Starten");
    } else {
        menueKnopf(r, 449, startKnopf ? "Spiel Starten" : "Bereit");
    }
    for (int n = 1; n <= 4; ++n) {
        const int y = 480 + 24 * (n - 1);
        const int farbe = spiel.spieler.spielerFarbe(n, 0);
        if (farbe > 0) filledBox(r.screen(), 330, y, 350, y + 16, palettenFarbe(farbe));
        std::string zeile = mp.SpielerName(n);
        if (n <= spiel.Spieleranzahl && mp.BereitFlag(n) == 1 && farbe > 0) zeile += " (bereit)";
        r.textMittig(433, y, zeile);
    }
    meldungZeichnen(r, mp, kMeldungMenueY);
    r.platform.screenUnlock();
}

}  // namespace

void lobbyScreen(Rahmen& r, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp, const Bildquellen& quellen)
{
    const std::string antwort = takeReply(server);
    if (!antwort.empty() && fehlerMelden(antwort, mp, r.platform.timer()).empty())
        lobbyAntwortAnwenden(antwort, spiel, mp);

    if (knopfKlick(r, 218, 243)) r.Unterzustand = "hauptmenu";
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
    if (knopfKlick(r, 449, 474)) {
        if (mp.startAusstehend) {
            // A second star map would differ from the one the server already keeps.
        } else if (startKnopf) {
            mp.startAusstehend = true;
            mp.SternkarteBereit = 21;
            sternkarteErzeugen(r.platform, spiel);
        } else if (spiel.eigenerSpieler > 0 && spiel.spieler.spielerFarbe(spiel.eigenerSpieler, 0) > 0) {
            mp.EigenesBereit = 1;
        }
    }
    if (spiel.eigenerSpieler > 0) {
        for (int k = 1; k <= 8; ++k)
            if (klick(r, kSwatch[k - 1], kSwatch[k], 395, 415)) mp.GewaehlteFarbe = k;
    }
    lobbyAnfragen(r.platform.timer(), spiel, server, mp, r.Version);
    slotFarbenSetzen(spiel);
    const bool beginnt = spiel.spielLaeuft == 1 && spiel.eigenerSpieler > 0;
    zeichnen(r, spiel, mp, startKnopf);
    if (beginnt) spielBeginnen(r, spiel, quellen);
    if (r.Mausereignis == 1 || r.Mausereignis == 2) r.Mausereignis = 0;
}

}  // namespace qz

#include "multiplayer/screens/mp_karte.hpp"

#include "fleets/andocken.hpp"
#include "fleets/co_player_fleets.hpp"
#include "fleets/flotten.hpp"
#include "map/karten_overlays.hpp"
#include "map/spielstart.hpp"
#include "map/sternkarte_ansicht.hpp"
#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"
#include "multiplayer/screens/chat.hpp"
#include "multiplayer/screens/mp_widgets.hpp"
#include "platform/errors.hpp"
#include "systems/forschung.hpp"
#include "systems/hangar.hpp"
#include "systems/schiffbau.hpp"
#include "systems/sternsystem_bildschirm.hpp"

#include <cmath>

namespace qz {

namespace {

Farbe slotFarbe(const Spielstand& spiel, int p)
{
    const Feld2<int>& f = spiel.spieler.spielerFarbe;
    return 0xFF000000u + static_cast<Farbe>(f(p, 1) * 65536 + f(p, 2) * 256 + f(p, 3));
}

void ausschnitt(Rahmen& r, const ImagePtr& bild, PutMode modus, const Spielstand& spiel,
                Quellort wo = Quellort::current())
{
    if (!bild) raiseError(kNullPointer, wo);
    put(r.screen(), 0, 0, bild.get(), modus, SourceRect{spiel.scrollX, spiel.scrollY, 1024, 768});
}

void eigenerSystemschirm(Rahmen& r, Spielstand& spiel)
{
    const int s = spiel.gewaehltesSystem;
    Sternsysteme& sys = spiel.systeme;
    Kartenzustand& k = spiel.karte;
    const int eigen = spiel.eigenerSpieler;
    SUB_STERNSYSTEM_SELECT(r, sys, s, eigen, k, spiel.wirtschaft.forschungsetat, spiel.gewaehltesSystem,
                           k.scanNeuzeichnen);
    switch (k.systemTab) {
    case 2:
        SUB_STERNSYSTEM_STATS(r, sys, s, spiel.Sternanzahl);
        break;
    case 3:
        forschungsZeilen(r, spiel.forschung, k.forschungsKategorie);
        break;
    case 4:
        SUB_STERNSYSTEM_SCHIFFBAU(r, sys.einwohner(s), k.katalogOffen, eigen, s, spiel.wirtschaft.geld, r.MausX,
                                  r.MausY, r.Mausereignis, sys.bauAufwand, sys.bauFortschritt, sys.bauTyp,
                                  sys.bauAuftraege(s));
        break;
    case 5: {
        SchiffSatz& satz = spiel.saetze(eigen);
        SUB_STERNSYSTEM_HANGER(r, eigen, spiel.forschung.thema(9).stufe, spiel.forschung.thema(10).stufe,
                               k.abdockFlotte, spiel.spieler.hoechsteFlotte(eigen), k.hangarSchiff, k.hangarFlotte,
                               r.MausX, r.MausY, r.Mausereignis, r.Tastencode, k.flottenSeite, k.hangarSeite, satz,
                               satz.anzahl, s);
        break;
    }
    default:
        break;
    }
}

}  // namespace

void handelswegeNeu(Spielstand& spiel, Mehrspieler& mp)
{
    Kartenzustand& k = spiel.karte;
    mp.handelNeuzeichnen = 0;
    k.handelOverlay = imageCreate(k.kartenBreite, k.kartenHoehe, kDefaultFill);
    k.handelInhalt = SourceRect{0, 0, 0, 0};
    const Sternsysteme& s = spiel.systeme;
    std::vector<std::string> werte;
    for (int p = 1; p <= 4; ++p) {
        const int n = STRINGSPLIT(mp.handelswegText(p), ",", werte);
        const Feld2<int>& f = spiel.spieler.spielerFarbe;
        for (int e = 1; e + 1 <= n; e += 2) {
            const int a = textToInt(werte[static_cast<std::size_t>(e)]);
            const int b = textToInt(werte[static_cast<std::size_t>(e + 1)]);
            if (a < 1 || b < 1 || a > spiel.Sternanzahl || b > spiel.Sternanzahl) continue;
            SUB_LINE(s.pos(a, 1), s.pos(a, 2), s.pos(b, 1), s.pos(b, 2), f(p, 1), f(p, 2), f(p, 3),
                     k.handelOverlay.get());
            inhaltErweitern(k.handelInhalt, s.pos(a, 1), s.pos(a, 2), s.pos(b, 1), s.pos(b, 2));
        }
    }
}

namespace {

// The button over a visited system: picture 18 at (324, 138), 120 pixels wide, its label at
// y 146. German labels keep the places they always had; a translation is centred on the button,
// which widens to the right for a longer one. Returns the button's width, for its hit box.
int besuchsKnopfBreite(const Text& label) { return sprache() == "de" ? 120 : breiteFuer(120, label); }

void besuchsKnopf(Rahmen& r, const Text& label, int deutschX, Farbe hinterlegt = 0)
{
    const int breite = besuchsKnopfBreite(label);
    if (breite == 120) r.zeichne(r.Oberflaechenbild(18), 324, 138);
    else breitZeichnen(r, r.Oberflaechenbild(18), 324 + breite / 2.0, 138, breite);
    if (hinterlegt != 0) filledBox(r.screen(), 334, 143, 324 + breite - 10, 163, hinterlegt);
    r.text(sprache() == "de" ? deutschX : 324 + (breite - textBreite(label)) / 2, 146, label);
}

}  // namespace

void mpBesuchsschirm(Rahmen& r, Spielstand& spiel, Mehrspieler& mp)
{
    const int s = spiel.gewaehltesSystem;
    Sternsysteme& sys = spiel.systeme;
    Kartenzustand& k = spiel.karte;
    const int eigen = spiel.eigenerSpieler;
    const int kolonieschiff = k.kolonieschiff;
    SUB_STERNSYSTEM_BESUCHT(r, sys, s, eigen, spiel.saetze(eigen), k.kolonieschiff, spiel.gewaehltesSystem,
                            mp.kartenNeuzeichnen);
    if (kolonieschiff > 0 && sys.besitzer(s) == eigen) {
        mp.senden.kolonisation = s;
        k.scanNeuzeichnen = 1;
        return;
    }
    if (kolonieschiff > 0 || spiel.gewaehltesSystem == 0) return;
    guarded([&] {
        const auto klickt = [&](const Text& label) {
            return r.Mausereignis == 1 && inBox(r.MausX, r.MausY, 324, 324 + besuchsKnopfBreite(label), 138, 168);
        };
        if (k.angriffsschiff > 0) {
            const bool angreifen = sys.angriff(s) < 1;
            const Text& label = angreifen ? tr("Angreifen") : tr("Feuer Einstellen");
            besuchsKnopf(r, label, angreifen ? 342 : 324);
            if (klickt(label)) {
                sys.angriff(s) = angreifen ? 1 : 0;
                r.Mausereignis = 42;
            }
            return;
        }
        const int o = sys.besitzer(s);
        if (o < 1 || o == eigen || o > 4) return;
        const int stand = mp.senden.abkommenStand(o);
        const Text& label = stand < 1 ? tr("Handel Anbieten") : tr("Handel Abbrechen");
        const Farbe hinterlegt = stand < 1 ? 0xFF8B0000 : stand == 1 ? 0xFFCD950C : stand == 2 ? 0xFF00CD00 : 0;
        besuchsKnopf(r, label, stand < 1 ? 324 : 320, hinterlegt);
        const bool geklickt = klickt(label);
        if (!geklickt) return;
        mp.senden.abkommenAnfrage(o) = stand < 1 ? 1 : 3;
        r.Mausereignis = 42;
    });
}

void mehrspielerKarteZeichnen(Rahmen& r, Spielstand& spiel, Mehrspieler& mp)
{
    Kartenzustand& k = spiel.karte;
    Sternsysteme& s = spiel.systeme;
    const int eigen = spiel.eigenerSpieler;
    ausschnitt(r, r.Hintergrundbild, PutMode::Copy, spiel);
    overlayZeichnen(r.screen(), k.handelOverlay, k.handelInhalt, spiel.scrollX, spiel.scrollY);
    overlayZeichnen(r.screen(), k.scanOverlay, k.scanInhalt, spiel.scrollX, spiel.scrollY);

    Image& bild = r.screen();
    const Farbe eigeneFarbe = slotFarbe(spiel, eigen);
    const bool heimTaste = r.platform.keyDown(scan::H) && mp.chatFokus == 0;
    for (int i = 1; i <= spiel.Sternanzahl; ++i) {
        const int x = s.pos(i, 1), y = s.pos(i, 2);
        const int sx = x - spiel.scrollX, sy = y - spiel.scrollY;
        const bool eigenes = s.besitzer(i) == eigen;
        if (eigenes) {
            if (spiel.gewaehltesSystem == i && s.handelsposten(i) == -42) {
                const int R = s.handel(i) + spiel.forschung.thema(6).stufe;
                for (int radius = R - 2; radius <= R; ++radius) circle(bild, sx, sy, radius, 0xFFEA7546, false);
            }
            circle(bild, sx, sy, 20, eigeneFarbe, false);
            circle(bild, sx, sy, 3, 0xFFFFFFFF, true);
        } else {
            circle(bild, sx, sy, 3, s.entdecker(i) == eigen ? 0xFFFFFFFF : 0xFF333333, true);
        }
        // A system reached first by another player opens no screen for the local player.
        if (r.Mausereignis == 1 && spiel.gewaehltesSystem < 1 && k.gewaehlteFlotte == 0 &&
            std::hypot(r.MausX + spiel.scrollX - x, r.MausY + spiel.scrollY - y) < 5.0 &&
            (eigenes || s.entdecker(i) == eigen)) {
            // A screen opens on tab 1 without a hangar selection, also after a visit screen
            // that was an own system's screen until the system was lost.
            spiel.gewaehltesSystem = i;
            k.systemTab = 1;
            k.hangarSchiff = 0;
            k.hangarFlotte = 0;
            k.hangarSeite = 1;
            r.Tastencode = 0;
            r.Mausereignis = 0;
        }
        if (heimTaste && eigenes && s.typ(i) == 42) ansichtZentrieren(spiel, x, y);
    }

    SchiffSatz& satz = spiel.saetze(eigen);
    SUB_FLOTTEN(r, k, satz, s, spiel.spieler, spiel.forschung, eigen, satz.anzahl, spiel.Sternanzahl,
                spiel.gewaehltesSystem, r.MausX, r.MausY, spiel.scrollX, spiel.scrollY);
    SUB_FLOTTEN_MITSPIELER(r, spiel.saetze, spiel.spieler, mp.naechsterFlugschritt, s, eigen, spiel.Spieleranzahl,
                           spiel.scrollX, spiel.scrollY, spiel.forschung.thema(5).stufe, spiel.Sternanzahl);
    if (spiel.gewaehltesSystem > 0) {
        if (s.besitzer(spiel.gewaehltesSystem) == eigen) {
            eigenerSystemschirm(r, spiel);
        } else if (s.entdecker(spiel.gewaehltesSystem) == eigen) {
            mpBesuchsschirm(r, spiel, mp);
        } else {
            // Lost while open and never discovered by this player (a home planet): there is no
            // screen to show, and nothing would close it, holding the map's clicks and scrolling.
            spiel.gewaehltesSystem = 0;
        }
    }
    const bool leiste = flottenleisteGezeigt(spiel);
    if (leiste && !chatSichtbar(mp, leiste)) SUB_FLOTTE_ANDOCKEN(r, k, satz, s, satz.anzahl, r.MausX, r.MausY, eigen);
    statusleisteZeichnen(r, spiel);
    if (chatSichtbar(mp, leiste)) chatZeichnen(r, mp);
}

bool flottenleisteGezeigt(const Spielstand& spiel)
{
    const Kartenzustand& k = spiel.karte;
    const int eigen = spiel.eigenerSpieler;
    return k.gewaehlteFlotte > 0 && spiel.gewaehltesSystem < 1 && k.gewaehltesSchiff >= 1 &&
           k.gewaehltesSchiff <= spiel.saetze(eigen).anzahl;
}

}  // namespace qz

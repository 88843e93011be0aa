#include "map/sternkarte_ansicht.hpp"

#include "fleets/andocken.hpp"
#include "fleets/flotten.hpp"
#include "map/karten_overlays.hpp"
#include "map/spielstart.hpp"
#include "state/planetentypen.hpp"
#include "systems/forschung.hpp"
#include "systems/hangar.hpp"
#include "systems/schiffbau.hpp"
#include "systems/sternsystem_bildschirm.hpp"
#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"
#include "platform/errors.hpp"

#include <cmath>
#include <string>

namespace qz {

namespace {

constexpr Farbe kWeiss = 0xFFFFFFFF;
constexpr Farbe kUnerforscht = 0x333333;
constexpr Farbe kHandelsposten = 0xFFEA7546;
constexpr int kMarkierung = 20;  // ring around own systems

Farbe eigeneFarbe(const Spielstand& spiel)
{
    const Feld2<int>& f = spiel.spieler.spielerFarbe;
    const int p = spiel.eigenerSpieler;
    return rgb(f(p, 1), f(p, 2), f(p, 3));
}

void blitAusschnitt(Image& bildschirm, const ImagePtr& bild, PutMode modus, const Spielstand& spiel,
                    Quellort wo = Quellort::current())
{
    if (!bild) raiseError(kNullPointer, wo);
    put(bildschirm, 0, 0, bild.get(), modus, SourceRect{spiel.scrollX, spiel.scrollY, 1024, 768});
}

void systemschirm(Rahmen& r, Spielstand& spiel)
{
    const int s = spiel.gewaehltesSystem;
    Sternsysteme& sys = spiel.systeme;
    Kartenzustand& k = spiel.karte;
    if (sys.besitzer(s) == spiel.eigenerSpieler) {
        SUB_STERNSYSTEM_SELECT(r, sys, s, spiel.eigenerSpieler, k, spiel.wirtschaft.forschungsetat,
                               spiel.gewaehltesSystem, k.scanNeuzeichnen);
        switch (k.systemTab) {
        case 2:
            SUB_STERNSYSTEM_STATS(r, sys, s, spiel.Sternanzahl);
            break;
        case 3:
            forschungsZeilen(r, spiel.forschung, k.forschungsKategorie);
            break;
        case 4:
            SUB_STERNSYSTEM_SCHIFFBAU(r, sys.einwohner(s), k.katalogOffen, spiel.eigenerSpieler, s,
                                      spiel.wirtschaft.geld, r.MausX, r.MausY, r.Mausereignis, sys.bauAufwand,
                                      sys.bauFortschritt, sys.bauTyp, sys.bauAuftraege(s));
            break;
        case 5: {
            SchiffSatz& satz = spiel.saetze(1);
            SUB_STERNSYSTEM_HANGER(r, spiel.eigenerSpieler, spiel.forschung.thema(9).stufe,
                                   spiel.forschung.thema(10).stufe, k.abdockFlotte,
                                   spiel.spieler.hoechsteFlotte(spiel.eigenerSpieler), k.hangarSchiff, k.hangarFlotte,
                                   r.MausX, r.MausY, r.Mausereignis, r.Tastencode, k.flottenSeite, k.hangarSeite, satz,
                                   satz.anzahl, s);
            break;
        }
        default:
            break;
        }
    } else if (sys.entdecker(s) == 1) {
        SUB_STERNSYSTEM_BESUCHT(r, sys, s, spiel.eigenerSpieler, spiel.saetze(1), k.kolonieschiff,
                                spiel.gewaehltesSystem, k.scanNeuzeichnen);
    }
}

}  // namespace

void statusleisteZeichnen(Rahmen& r, const Spielstand& spiel)
{
    const Wirtschaft& w = spiel.wirtschaft;
    r.zeichne(r.Oberflaechenbild(11), 702, 667);
    // TRANSLATORS: money: the change every day (5 s), then what the player has; "G" is the money's unit.
    r.text(708, 673, tr("(G {aenderung}/5s) {geld}",
                        {{"aenderung", w.einnahmen + w.forschungskosten - w.forschungsausgaben}, {"geld", w.geld}}));
    r.zeichne(r.Oberflaechenbild(11), 858, 667);
    // TRANSLATORS: supply ("Versorgung"): the change every day (5 s), then the store.
    r.text(864, 673, tr("(V {aenderung}/5s) {vorrat}",
                        {{"aenderung", w.versorgungsertrag + w.versorgungsverbrauch}, {"vorrat", w.vorrat}}));
}

void karteZeichnen(Rahmen& r, Spielstand& spiel)
{
    Image& bildschirm = r.screen();
    Kartenzustand& k = spiel.karte;
    Sternsysteme& s = spiel.systeme;
    blitAusschnitt(bildschirm, r.Hintergrundbild, PutMode::Copy, spiel);
    overlayZeichnen(bildschirm, k.handelOverlay, k.handelInhalt, spiel.scrollX, spiel.scrollY);
    overlayZeichnen(bildschirm, k.scanOverlay, k.scanInhalt, spiel.scrollX, spiel.scrollY);

    const Farbe eigene = eigeneFarbe(spiel);
    const int L6 = spiel.forschung.thema(6).stufe;
    const bool heimTaste = r.platform.keyDown(scan::H);
    for (int i = 1; i <= spiel.Sternanzahl; ++i) {
        const int x = s.pos(i, 1), y = s.pos(i, 2);
        const int sx = x - spiel.scrollX, sy = y - spiel.scrollY;
        const bool eigen = s.besitzer(i) == spiel.eigenerSpieler;
        if (eigen) {
            if (spiel.gewaehltesSystem == i && s.handelsposten(i) == -42) {
                const int R = s.handel(i) + L6;
                for (int radius = R - 2; radius <= R; ++radius) circle(bildschirm, sx, sy, radius, kHandelsposten, false);
            }
            circle(bildschirm, sx, sy, kMarkierung, eigene, false);
            circle(bildschirm, sx, sy, 3, kWeiss, true);
        } else {
            circle(bildschirm, sx, sy, 3, s.entdecker(i) == 1 ? kWeiss : kUnerforscht, true);
        }

        if (r.Mausereignis == 1 && spiel.gewaehltesSystem < 1 && k.gewaehlteFlotte == 0 &&
            std::hypot(r.MausX + spiel.scrollX - x, r.MausY + spiel.scrollY - y) < 5.0 &&
            (eigen || s.entdecker(i) == 1)) {
            spiel.gewaehltesSystem = i;
            r.Tastencode = 0;
            r.Mausereignis = 0;
        }
        if (heimTaste && eigen && s.typ(i) == kHeimatTyp) ansichtZentrieren(spiel, x, y);
    }

    SchiffSatz& satz = spiel.saetze(1);
    SUB_FLOTTEN(r, k, satz, s, spiel.spieler, spiel.forschung, spiel.eigenerSpieler, satz.anzahl, spiel.Sternanzahl,
                spiel.gewaehltesSystem, r.MausX, r.MausY, spiel.scrollX, spiel.scrollY);
    if (spiel.gewaehltesSystem > 0) systemschirm(r, spiel);
    if (k.gewaehlteFlotte > 0 && spiel.gewaehltesSystem < 1)
        SUB_FLOTTE_ANDOCKEN(r, k, satz, s, satz.anzahl, r.MausX, r.MausY, spiel.eigenerSpieler);
    statusleisteZeichnen(r, spiel);
}

}  // namespace qz

#include "multiplayer/play/mp_tag.hpp"

#include "state/schiffslisten.hpp"
#include "map/tagesabrechnung.hpp"
#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"
#include "systems/forschung.hpp"
#include "systems/handel.hpp"
#include "systems/hangar.hpp"
#include "systems/schiffbau.hpp"

namespace qz {

void mehrspielerTag(Spielstand& spiel, Mehrspieler& mp, double jetzt)
{
    Wirtschaft& w = spiel.wirtschaft;
    Sternsysteme& s = spiel.systeme;
    Forschung& f = spiel.forschung;
    Kartenzustand& k = spiel.karte;
    const int eigen = spiel.eigenerSpieler;

    // What the screens changed since the last join (a destination, a docking, a fleet formed,
    // a step flown, a colony ship used up) goes into the master lists before they are cut
    // again below, or the day would undo it.
    eigeneSchiffeVerbinden(spiel);

    w.einnahmen = 0;
    w.forschungskosten = 0;
    w.versorgungsertrag = 0;
    w.versorgungsverbrauch = 0;
    w.forschungsertrag = 0;
    // The day's reports replace any the server has not confirmed yet: they are newer, and
    // the lists do not grow while the server is away.
    mp.piSysteme.clear();
    mp.piSchild.clear();
    mp.piBefestigung.clear();
    mp.piUnterwegs = false;
    for (int i = 1; i <= spiel.Sternanzahl; ++i) {
        if (s.handelsposten(i) > 0) w.einnahmen += 20;  // linked to one of the own trading posts
        if (s.besitzer(i) != eigen) continue;
        SUB_TAGESABRECHNUNG(s, i, f, w);
        mp.piSysteme += "," + numberToText(i);
        mp.piSchild += "," + numberToText(s.schild(i));
        mp.piBefestigung += "," + numberToText(s.befestigung(i));
    }
    for (int i = 1; i <= spiel.Sternanzahl; ++i) {
        if (s.besitzer(i) == eigen && s.bauAuftraege(i) > 0)
            SUB_SCHIFFBAU(eigen, s.besitzer(i), spiel.schiffe, s.werft(i), s.bauAufwand, s.bauFortschritt, s.bauTyp, i,
                          s.bauAuftraege(i));
    }
    tagesabschluss(w);
    for (int t = 1; t <= 12; ++t) {
        ForschungsThema& thema = f.thema(t);
        if (thema.aktiv == 1)
            SUB_FORSCHUNG(thema.aktiv, thema.stufe, thema.kosten, thema.fortschritt, f.aktiveThemen,
                          w.forschungspunkte, t, k.scanNeuzeichnen);
    }
    k.handelsliste.clear();
    SUB_MP_HANDELSABKOMMEN_BERECHNUNG(eigen, spiel.Spieleranzahl, k.handelsliste, mp.senden.abkommenStand,
                                      f.thema(5).stufe, f.thema(6).stufe, s.entdecker, s.besitzer, s.pos, s.handel,
                                      s.handelsposten, spiel.Sternanzahl, mp.handelNeuzeichnen);
    naechsterTagBeginnt(w, jetzt);
    ++w.spieltag;
    schiffeSchneiden(spiel.schiffe, spiel.saetze(eigen));
    PRINTARRAY(k.handelsAnzahl, k.handelsliste, ",", k.handelsArray, 1);
    if (mp.handelswegText(eigen) != k.handelsliste) {
        mp.handelswegText(eigen) = k.handelsliste;
        mp.handelNeuzeichnen = 1;
    }
}

void eigeneSchiffeVerbinden(Spielstand& spiel)
{
    const SchiffSatz& satz = spiel.saetze(spiel.eigenerSpieler);
    if (satz.anzahl < 1) return;
    // The hangar names its selected ship by number: the selection follows the ship to its new
    // number, or goes with it when it was destroyed.
    Kartenzustand& k = spiel.karte;
    if (k.hangarSchiff > 0) {
        k.hangarSchiff = nummerNachVerbinden(satz, k.hangarSchiff);
        if (k.hangarSchiff == 0) k.hangarFlotte = 0;
    }
    schiffeVerbinden(satz, spiel.schiffe);
}

void eigeneSchiffeAbgleichen(Spielstand& spiel)
{
    // Joined and cut again, so that the numbers of the working arrays always match the lists
    // the server numbers its battle records by.
    eigeneSchiffeVerbinden(spiel);
    schiffeSchneiden(spiel.schiffe, spiel.saetze(spiel.eigenerSpieler));
}

}  // namespace qz

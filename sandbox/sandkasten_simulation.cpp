#include "game/sandkasten_simulation.hpp"

#include "game/later_routines.hpp"
#include "game/schiffslisten.hpp"
#include "game/sternkarte_ansicht.hpp"
#include "game/tagesabrechnung.hpp"
#include "gfx/widgets.hpp"

namespace qz {

void schiffsdurchlauf(Spielstand& spiel)
{
    const int p = spiel.eigenerSpieler;
    SchiffSatz& satz = spiel.saetze(p);
    const Forschung& f = spiel.forschung;
    Kartenzustand& k = spiel.karte;
    const int abdocken = k.abdockFlotte;
    for (int i = 1; i <= satz.anzahl; ++i) {
        SUB_SCHIFFEREPARIEREN(f.thema(9).stufe, f.thema(11).stufe, f.thema(10).stufe, f.thema(12).stufe,
                              satz[kTyp](i), satz[kSchild](i), satz[kHuelle](i), satz[kAngedockt](i));
        if (abdocken == 0 || satz.wert(kFlotte, i) != abdocken) continue;
        // Only ships still in a hangar leave it; a ship of the fleet already in space stays put.
        const int hangar = satz.wert(kAngedockt, i);
        if (hangar < 1) continue;
        const int x = spiel.spieler.parkOffset(p, 1) + spiel.systeme.pos(hangar, 1) - 16;
        const int y = spiel.spieler.parkOffset(p, 2) + spiel.systeme.pos(hangar, 2) - 16;
        satz.setze(kX, i, x);
        satz.setze(kZielX, i, x);
        satz.setze(kY, i, y);
        satz.setze(kZielY, i, y);
        satz.setze(kOrt, i, hangar);
        satz[kAngedockt](i) = "0";
    }
    k.abdockFlotte = 0;
}

void simulationsschritt(Rahmen& r, Spielstand& spiel)
{
    Platform& platform = r.platform;
    Kartenzustand& k = spiel.karte;

    if (platform.timer() > k.naechsterScroll && spiel.gewaehltesSystem < 1) {
        const int W = spiel.hintergrundGroesse(spiel.hintergrund, 1);
        const int H = spiel.hintergrundGroesse(spiel.hintergrund, 2);
        SCROLLING(platform, r.LetzteTaste, r.MausX, r.MausY, spiel.scrollX, spiel.scrollY, spiel.scrollSchritt, W, H);
        k.naechsterScroll = platform.timer() + 0.0033;
    }

    if (platform.timer() >= spiel.wirtschaft.naechsterTag) tageswechsel(spiel, platform.timer());

    schiffsdurchlauf(spiel);

    if (k.scanNeuzeichnen == 1 || !k.scanOverlay) scanOverlayNeu(spiel);

    // Rebuilt when its countdown reaches 1, and whenever there is none yet to draw.
    if (k.handelNeuzeichnen == 1 || !k.handelOverlay) handelOverlayNeu(spiel);
    else if (k.handelNeuzeichnen > 1) k.handelNeuzeichnen -= 1;

    SchiffSatz& satz = spiel.saetze(1);
    if (satz.anzahl > 0) schiffeVerbinden(satz, spiel.schiffe);
    schiffeSchneiden(spiel.schiffe, satz);

    if (platform.timer() > k.routenTimer) {
        k.routenTimer = platform.timer() + 0.03;
        Routenauftrag& a = k.routenauftrag;
        if (a.status == 1)
            SUB_FLOTTEN_WEG_BERECHNUNG(a.status, k.kartenBreite, k.kartenHoehe, a.x, a.y, a.zielX, a.zielY, a.route);
    }
}

}  // namespace qz

#include "sandbox/sandkasten_simulation.hpp"

#include "fleets/route.hpp"
#include "gfx/widgets.hpp"
#include "map/karten_overlays.hpp"
#include "map/schiffsdurchlauf.hpp"
#include "map/tagesabrechnung.hpp"
#include "state/schiffslisten.hpp"

namespace qz {

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

#include "sandbox/sandkasten_simulation.hpp"

#include "map/karten_overlays.hpp"
#include "map/karten_takt.hpp"
#include "map/schiffsdurchlauf.hpp"
#include "map/tagesabrechnung.hpp"
#include "state/schiffslisten.hpp"

namespace qz {

void simulationsschritt(Rahmen& r, Spielstand& spiel)
{
    Platform& platform = r.platform;
    Kartenzustand& k = spiel.karte;

    if (spiel.gewaehltesSystem < 1)
        scrollSchritte(r, spiel, spiel.hintergrundGroesse(spiel.hintergrund, 1),
                       spiel.hintergrundGroesse(spiel.hintergrund, 2));

    if (platform.timer() >= spiel.wirtschaft.naechsterTag) tageswechsel(spiel, platform.timer());

    schiffsdurchlauf(spiel);

    if (k.scanNeuzeichnen == 1 || !k.scanOverlay) scanOverlayNeu(spiel);

    // Rebuilt when its countdown reaches 1, and whenever there is none yet to draw.
    if (k.handelNeuzeichnen == 1 || !k.handelOverlay) handelOverlayNeu(spiel);
    else if (k.handelNeuzeichnen > 1) k.handelNeuzeichnen -= 1;

    SchiffSatz& satz = spiel.saetze(1);
    if (satz.anzahl > 0) schiffeVerbinden(satz, spiel.schiffe);
    schiffeSchneiden(spiel.schiffe, satz);

    routenSchritte(platform, k);
}

}  // namespace qz

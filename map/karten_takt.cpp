#include "map/karten_takt.hpp"

#include "fleets/route.hpp"
#include "gfx/widgets.hpp"
#include "platform/takt.hpp"

namespace qz {

void scrollSchritte(Rahmen& r, Spielstand& spiel, int breite, int hoehe)
{
    const int schritte =
        faelligeSchritte(spiel.karte.naechsterScroll, r.platform.timer(), kScrollTakt, kScrollHoechstens);
    for (int i = 0; i < schritte; ++i)
        SCROLLING(r.platform, r.LetzteTaste, r.MausX, r.MausY, spiel.scrollX, spiel.scrollY, spiel.scrollSchritt,
                  breite, hoehe);
}

void routenSchritte(Platform& platform, Kartenzustand& k)
{
    const int schritte = faelligeSchritte(k.routenTimer, platform.timer(), kRoutenTakt, kRoutenHoechstens);
    Routenauftrag& a = k.routenauftrag;
    for (int i = 0; i < schritte && a.status == 1; ++i)
        SUB_FLOTTEN_WEG_BERECHNUNG(a.status, k.kartenBreite, k.kartenHoehe, a.x, a.y, a.zielX, a.zielY, a.route);
}

}  // namespace qz

#include "map/karten_overlays.hpp"

#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"

namespace qz {

namespace {

ImagePtr leeresOverlay(const Spielstand& spiel)
{
    return imageCreate(spiel.karte.kartenBreite, spiel.karte.kartenHoehe, kDefaultFill);
}


}  // namespace

void scanOverlayNeu(Spielstand& spiel)
{
    Kartenzustand& k = spiel.karte;
    k.scanNeuzeichnen = 0;
    k.scanOverlay = leeresOverlay(spiel);
    const Sternsysteme& s = spiel.systeme;
    const Feld2<int>& farbe = spiel.spieler.spielerFarbe;
    const int p = spiel.eigenerSpieler;
    const int radius = 5 * spiel.forschung.thema(5).stufe + 40;
    for (int i = 1; i <= spiel.Sternanzahl; ++i)
        if (s.besitzer(i) == p)
            SUB_CIRCLE(s.pos(i, 1), s.pos(i, 2), radius, farbe(p, 1), farbe(p, 2), farbe(p, 3), k.scanOverlay.get(), 1);
    for (int i = 1; i <= spiel.Sternanzahl; ++i)
        if (s.besitzer(i) == p) SUB_CIRCLE(s.pos(i, 1), s.pos(i, 2), radius, 255, 0, 255, k.scanOverlay.get(), 2);
}

void handelOverlayNeu(Spielstand& spiel)
{
    Kartenzustand& k = spiel.karte;
    k.handelNeuzeichnen = 0;
    k.handelOverlay = leeresOverlay(spiel);
    const Sternsysteme& s = spiel.systeme;
    const Feld2<int>& farbe = spiel.spieler.spielerFarbe;
    const int n = k.handelsArray.hi();
    // Pairs (1, 2), (3, 4), ...; an odd last entry or a number outside the map has no partner.
    for (int e = 1; e + 1 <= n; e += 2) {
        const int a = textToInt(k.handelsArray(e)), b = textToInt(k.handelsArray(e + 1));
        if (a < 1 || b < 1 || a > spiel.Sternanzahl || b > spiel.Sternanzahl) continue;
        SUB_LINE(s.pos(a, 1), s.pos(a, 2), s.pos(b, 1), s.pos(b, 2), farbe(1, 1), farbe(1, 2), farbe(1, 3),
                 k.handelOverlay.get());
    }
}

}  // namespace qz

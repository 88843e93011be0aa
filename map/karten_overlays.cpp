#include "map/karten_overlays.hpp"

#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"

#include <algorithm>

namespace qz {

namespace {

ImagePtr leeresOverlay(const Spielstand& spiel)
{
    return imageCreate(spiel.karte.kartenBreite, spiel.karte.kartenHoehe, kDefaultFill);
}

}  // namespace

void inhaltErweitern(SourceRect& inhalt, int x1, int y1, int x2, int y2)
{
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    if (inhalt.width > 0 && inhalt.height > 0) {
        x1 = std::min(x1, inhalt.left);
        y1 = std::min(y1, inhalt.top);
        x2 = std::max(x2, inhalt.left + inhalt.width - 1);
        y2 = std::max(y2, inhalt.top + inhalt.height - 1);
    }
    inhalt = SourceRect{x1, y1, x2 - x1 + 1, y2 - y1 + 1};
}

void overlayZeichnen(Image& bildschirm, const ImagePtr& overlay, const SourceRect& inhalt, int scrollX, int scrollY,
                     Quellort wo)
{
    if (!overlay) raiseError(kNullPointer, wo);
    const int x1 = std::max(scrollX, inhalt.left), y1 = std::max(scrollY, inhalt.top);
    const int x2 = std::min(scrollX + bildschirm.width, inhalt.left + inhalt.width);
    const int y2 = std::min(scrollY + bildschirm.height, inhalt.top + inhalt.height);
    if (x2 <= x1 || y2 <= y1) return;
    put(bildschirm, x1 - scrollX, y1 - scrollY, overlay.get(), PutMode::Transparent,
        SourceRect{x1, y1, x2 - x1, y2 - y1});
}

void scanOverlayNeu(Spielstand& spiel)
{
    Kartenzustand& k = spiel.karte;
    k.scanNeuzeichnen = 0;
    k.scanOverlay = leeresOverlay(spiel);
    k.scanInhalt = SourceRect{0, 0, 0, 0};
    const Sternsysteme& s = spiel.systeme;
    const Feld2<int>& farbe = spiel.spieler.spielerFarbe;
    const int p = spiel.eigenerSpieler;
    const int radius = 5 * spiel.forschung.thema(5).stufe + 40;
    for (int i = 1; i <= spiel.Sternanzahl; ++i) {
        if (s.besitzer(i) != p) continue;
        SUB_CIRCLE(s.pos(i, 1), s.pos(i, 2), radius, farbe(p, 1), farbe(p, 2), farbe(p, 3), k.scanOverlay.get(), 1);
        inhaltErweitern(k.scanInhalt, s.pos(i, 1) - radius, s.pos(i, 2) - radius, s.pos(i, 1) + radius,
                        s.pos(i, 2) + radius);
    }
    for (int i = 1; i <= spiel.Sternanzahl; ++i)
        if (s.besitzer(i) == p) SUB_CIRCLE(s.pos(i, 1), s.pos(i, 2), radius, 255, 0, 255, k.scanOverlay.get(), 2);
}

void handelOverlayNeu(Spielstand& spiel)
{
    Kartenzustand& k = spiel.karte;
    k.handelNeuzeichnen = 0;
    k.handelOverlay = leeresOverlay(spiel);
    k.handelInhalt = SourceRect{0, 0, 0, 0};
    const Sternsysteme& s = spiel.systeme;
    const Feld2<int>& farbe = spiel.spieler.spielerFarbe;
    const int n = k.handelsArray.hi();
    // Pairs (1, 2), (3, 4), ...; an odd last entry or a number outside the map has no partner.
    for (int e = 1; e + 1 <= n; e += 2) {
        const int a = textToInt(k.handelsArray(e)), b = textToInt(k.handelsArray(e + 1));
        if (a < 1 || b < 1 || a > spiel.Sternanzahl || b > spiel.Sternanzahl) continue;
        SUB_LINE(s.pos(a, 1), s.pos(a, 2), s.pos(b, 1), s.pos(b, 2), farbe(1, 1), farbe(1, 2), farbe(1, 3),
                 k.handelOverlay.get());
        inhaltErweitern(k.handelInhalt, s.pos(a, 1), s.pos(a, 2), s.pos(b, 1), s.pos(b, 2));
    }
}

}  // namespace qz

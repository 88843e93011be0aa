// Buttons and hit tests of the sandbox's panel screens: the wide buttons of the menu column,
// the small "Ja" / "Nein" buttons, and the click that acts once and plays the click sound.
#pragma once

#include "frame/klang.hpp"
#include "frame/rahmen.hpp"

#include <string_view>

namespace qz {

// The wide button (picture 11) at (434, y) with its label centred on x = 512, grown about its
// middle for a label longer than it.
inline void knopf(Rahmen& r, int y, const Text& text)
{
    r.zeichneUnter(r.Oberflaechenbild(11), 434, y, text);
    r.textMittig(512, y + 6, text);
}

// The small button (picture 18) at (x, y) with its label centred on x + 60.
inline void kleinerKnopf(Rahmen& r, int x, int y, const Text& text)
{
    r.zeichneUnter(r.Oberflaechenbild(18), x, y, text);
    r.textMittig(x + 60, y + 8, text);
}

inline bool geklickt(const Rahmen& r, int x1, int x2, int y1, int y2)
{
    return r.Mausereignis == 1 && inBox(r.MausX, r.MausY, x1, x2, y1, y2);
}

// A click on the button knopf() draws at y with this label, as wide as it is drawn.
inline bool knopfGeklickt(Rahmen& r, int y, const Text& text)
{
    const Rahmen::Spanne s = Rahmen::spanneUnter(434, kKnopfBreite, text);
    return geklickt(r, s.x1, s.x2, y, y + 25);
}

// A click on the small button kleinerKnopf() draws at (x, y) with this label.
inline bool kleinerKnopfGeklickt(Rahmen& r, int x, int y, const Text& text)
{
    const Rahmen::Spanne s = Rahmen::spanneUnter(x, kKleinerKnopfBreite, text);
    return geklickt(r, s.x1, s.x2, y, y + 30);
}

// The click has acted: it is used up and clicks.
inline void treffer(Rahmen& r)
{
    r.Mausereignis = 0;
    playClick(r);
}

}  // namespace qz

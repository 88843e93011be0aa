// The reference route step: draw the line from the icon centre to the target into a map-sized
// scratch image and take the first neighbour, in the fixed order, that holds the line's colour.
// Kept for the equivalence test and the benchmark only; the game rasterises the line directly.
#pragma once

#include "platform/image.hpp"

#include <string>

namespace qz::referenz {

inline void routenSchritt(int& status, int breite, int hoehe, int& cx, int& cy, int tx, int ty, std::string& route)
{
    constexpr Farbe kLinie = 0xFF01D0FF;
    ImagePtr bild = imageCreate(breite, hoehe);
    line(*bild, cx + 16, cy + 16, tx, ty, kLinie);
    static const int kN[8][3] = {{0, -1, '1'}, {1, 0, '2'}, {0, 1, '3'}, {-1, 0, '4'},
                                 {1, -1, '5'}, {1, 1, '6'}, {-1, 1, '7'}, {-1, -1, '8'}};
    for (const auto& n : kN) {
        const int x = cx + 16 + n[0], y = cy + 16 + n[1];
        if (x >= 0 && y >= 0 && x < breite && y < hoehe && bild->row(y)[x] == kLinie) {
            route += static_cast<char>(n[2]);
            cx += n[0];
            cy += n[1];
            return;
        }
    }
    if (cx + 16 == tx && cy + 16 == ty) {
        route += '9';
        status = 2;
    } else if (cy + 16 > ty) {
        route += '1';
        --cy;
    } else if (cx + 16 < tx) {
        route += '2';
        ++cx;
    } else if (cy + 16 < ty) {
        route += '3';
        ++cy;
    } else {
        route += '4';
        --cx;
    }
}

}  // namespace qz::referenz

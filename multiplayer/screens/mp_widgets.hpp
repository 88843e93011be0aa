// Drawing and hit helpers shared by the multiplayer screens: the wide buttons of the menu
// column, the small buttons, text fields with their prompt, and the click test that consumes
// the click and asks for the click sound.
#pragma once

#include "frame/rahmen.hpp"

#include <string_view>

namespace qz {

// The wide button (picture 11) at (434, y) with its label centred on x = 512 at y + 6.
void menueKnopf(Rahmen& rahmen, int y, std::string_view label);

// The small button (picture 18) at (x, y) with its label centred on cx at y + 8.
void kleinerKnopf(Rahmen& rahmen, int x, int y, double cx, std::string_view label);

// A text field on the wide button picture at (434, y): the prompt while the text is empty,
// else the text; a frame marks the focus.
void textFeld(Rahmen& rahmen, int y, std::string_view text, std::string_view prompt, bool fokus);

// True for a left click strictly inside (x1, x2) x (y1, y2); the click is consumed and turned
// into the click-sound request.
bool klick(Rahmen& rahmen, int x1, int x2, int y1, int y2);

// The same for the column of wide buttons at x 434..590.
inline bool knopfKlick(Rahmen& rahmen, int y1, int y2) { return klick(rahmen, 434, 590, y1, y2); }

// True once per press of the key, on the pass that finds it released.
bool tasteLosgelassen(Rahmen& rahmen, int scanCode, bool& gehalten);

// Focus 1 -> 2 -> 3 -> 1 (from 0 the first field).
inline int naechsterFokus(int fokus) { return fokus >= 3 || fokus < 1 ? 1 : fokus + 1; }

}  // namespace qz

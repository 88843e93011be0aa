// Drawing and hit helpers shared by the multiplayer screens: the wide buttons of the menu
// column, the small buttons, text fields with their prompt, and the click test that consumes
// the click and asks for the click sound. A label longer than its picture (a language with
// longer words than German) widens the picture around its centre, so no label runs over its
// frame; German labels fit, and their buttons look as they always did.
#pragma once

#include "frame/rahmen.hpp"

#include <string_view>
#include <vector>

namespace qz {

// Room for a text line on the menu panel (picture 19, 400 pixels wide at x 312).
inline constexpr int kPanelTextBreite = 384;

// The wide button (picture 11) at (434, y) with its label centred on x = 512 at y + 6.
void menueKnopf(Rahmen& rahmen, int y, const Text& label);

// The small button (picture 18) at (x, y) with its label centred on x + 60 at y + 8.
void kleinerKnopf(Rahmen& rahmen, int x, int y, const Text& label);

// A text field on the wide button picture at (434, y): the prompt while the text (code page
// 437, as typed) is empty, else the text; a frame marks the focus.
void textFeld(Rahmen& rahmen, int y, std::string_view text, const Text& prompt, bool fokus);

// The width of a picture `breite` wide once it holds `text` with 4 pixels to spare each side.
int breiteFuer(int breite, const Text& text);

// Picture `bild` drawn `breite` wide centred on cx at y: as it is where it is wide enough, else
// its two halves at the ends and its middle column repeated between them (Rahmen::zeichneBreit).
void breitZeichnen(Rahmen& rahmen, const ImagePtr& bild, double cx, int y, int breite);

// The frame of a computer player's level: 56 pixels, or wider for the longest level's name.
int stufenfeldBreite();

// The text in lines of at most `breite` pixels, broken at spaces (a single longer word stays whole).
std::vector<Text> umbrechen(const Text& text, int breite);

// The text centred on cx from y, broken into lines of at most `breite` pixels 16 pixels apart.
void textMittigUmbrochen(Rahmen& rahmen, double cx, int y, const Text& text, int breite, Farbe farbe = 0xFFFFFF);

// True for a left click strictly inside (x1, x2) x (y1, y2); the click is consumed and turned
// into the click-sound request.
bool klick(Rahmen& rahmen, int x1, int x2, int y1, int y2);

// A click on what menueKnopf, kleinerKnopf or textFeld draw with the same label, text and
// prompt: the whole button as drawn, however far a longer label has widened it.
bool knopfKlick(Rahmen& rahmen, int y, const Text& label);
bool kleinerKnopfKlick(Rahmen& rahmen, int x, int y, const Text& label);
bool feldKlick(Rahmen& rahmen, int y, std::string_view text, const Text& prompt);

// True once per press of the key, on the pass that finds it released.
bool tasteLosgelassen(Rahmen& rahmen, int scanCode, bool& gehalten);

// Focus 1 -> 2 -> 3 -> 1 (from 0 the first field).
inline int naechsterFokus(int fokus) { return fokus >= 3 || fokus < 1 ? 1 : fokus + 1; }

}  // namespace qz

// The program frame's state: which screen runs, the input snapshot of this pass, the picture
// tables and the sound state. Owned by the main program and handed to every screen.
#pragma once

#include "platform/feld.hpp"
#include "platform/image.hpp"
#include "platform/platform.hpp"
#include "platform/uebersetzung.hpp"

#include <string>

namespace qz {

// Music, click and volumes of the options screen.
struct Klang {
    int klickSample = 0;
    int musikSample = 0;
    int musikKanal = 0;
    int effektLautstaerke = 50;
    int musikLautstaerke = 50;
    int aktuellerTrack = 1;
    double naechsterTrack = 0.0;
    int creditsSeite = 0;
    double creditsSeitenende = 0.0;
};

// The wide button (picture 11) and the small one (picture 18).
inline constexpr int kKnopfBreite = 156;
inline constexpr int kKleinerKnopfBreite = 120;

struct Rahmen {
    explicit Rahmen(Platform& p) : platform(p) {}

    Platform& platform;
    std::string Version = "QZ0.10";
    std::string Programmzustand = "hauptmenu";
    std::string Unterzustand;
    // The language the player chose in "Optionen", kept in the settings file; empty: the
    // environment's.
    std::string Sprache;

    // Input snapshot, refreshed at the top of every pass.
    int MausX = -1;
    int MausY = -1;
    int MausRad = 0;
    int MausRadAlt = 0;
    int MausTasten = 0;
    int Mausereignis = 0;
    int Tastencode = 0;
    std::string LetzteTaste;

    Feld<ImagePtr> Oberflaechenbild{1, 23};
    Feld<ImagePtr> Planetenbild{1, 18};
    Feld2<ImagePtr> Schiffbild{1, 4, 1, 8};
    ImagePtr Hintergrundbild;

    Klang klang;

    Image& screen() { return platform.screen(); }
    // Draws a picture of a table; a picture that was never loaded raises error 7 here.
    // The error names the drawing screen's line, not the blitter's.
    void zeichne(const ImagePtr& bild, int x, int y, PutMode mode = PutMode::Copy,
                 Quellort where = Quellort::current());
    // A picture drawn `breite` pixels wide from (x, y): as it is when that is no more than its
    // own width, otherwise with its left and right halves at the two ends and its middle column
    // repeated between them. A button or panel so grows to hold a longer translation while the
    // German texts, which fit, keep the picture exactly as it was.
    void zeichneBreit(const ImagePtr& bild, int x, int y, int breite, Quellort where = Quellort::current());
    // The picture whose own left edge is at x, centred where it was and wide enough for the
    // text with `rand` pixels on either side.
    void zeichneUnter(const ImagePtr& bild, int x, int y, const Text& text, int rand = 4,
                      Quellort where = Quellort::current());
    // The columns zeichneUnter covers with a picture `breite` wide, from x1 to x2 (just past the
    // last): the button's hit box (open, as every hit box), so a grown button is clickable
    // wherever it is drawn. Hit boxes take the buttons' own widths (kKnopfBreite,
    // kKleinerKnopfBreite), whatever stands in for their pictures.
    struct Spanne {
        int x1, x2;
    };
    static Spanne spanneUnter(int x, int breite, const Text& text, int rand = 4);
    void text(int x, int y, std::string_view cp437, Farbe colour = 0xFFFFFF);
    void textMittig(double centreX, int y, std::string_view cp437, Farbe colour = 0xFFFFFF);
    // A translated text (tr(), platform/uebersetzung.hpp).
    void text(int x, int y, const Text& text, Farbe colour = 0xFFFFFF);
    void textMittig(double centreX, int y, const Text& text, Farbe colour = 0xFFFFFF);
};

// Open hit box: both bounds excluded.
inline bool inBox(int x, int y, int x1, int x2, int y1, int y2) { return x > x1 && x < x2 && y > y1 && y < y2; }

}  // namespace qz

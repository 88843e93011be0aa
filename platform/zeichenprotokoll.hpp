// What was drawn, for the tests that check every screen's texts and their boxes in any
// language. The drawing calls tell a Zeichenprotokoll only while one is set; in play none is,
// and a drawing call pays one test of a pointer for it.
#pragma once

#include <string_view>

namespace qz {

struct Image;

struct Zeichenprotokoll {
    virtual ~Zeichenprotokoll() = default;
    // A text drawn at (x, y) into `ziel`: its UTF-8 (code page 437 bytes converted), whether it
    // came as a translated Text or as code page 437 bytes, its width in pixels and how many of
    // its characters neither font has (drawn as the replacement character).
    virtual void text(const Image& ziel, int x, int y, std::string_view utf8, bool alsText, int breite,
                      int fehlendeGlyphen) = 0;
    // A picture or a box outline drawn into `ziel`: the rectangle it covers before clipping.
    // Filled boxes are bars and highlights, never the frame a text must stay in.
    virtual void flaeche(const Image& ziel, int x, int y, int breite, int hoehe) = 0;
};

// Sets the recorder (nullptr: none).
void setzeZeichenprotokoll(Zeichenprotokoll* protokoll);

namespace detail {
extern Zeichenprotokoll* zeichenprotokoll;
}

}  // namespace qz

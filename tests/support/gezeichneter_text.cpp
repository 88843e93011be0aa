#include "gezeichneter_text.hpp"

namespace qz::test {

namespace {

// The text as drawn alone in white on nothing, `breite` pixels wide, against the picture.
template <typename Schrift>
bool vergleichen(const Image& bild, int x, int y, int breite, const Schrift& text, Farbe farbe)
{
    if (x < 0 || y < 0 || x + breite > bild.width || y + 16 > bild.height) return false;
    Image soll = *imageCreate(breite, 16, 0x00000000);
    drawText(soll, 0, 0, text, 0xFFFFFFFF);
    for (int j = 0; j < 16; ++j)
        for (int i = 0; i < breite; ++i)
            if ((soll.row(j)[i] != 0) != ((bild.row(y + j)[x + i] & 0xFFFFFFu) == (farbe & 0xFFFFFFu))) return false;
    return true;
}

}  // namespace

bool zeigtText(const Image& bild, int x, int y, std::string_view text, Farbe farbe)
{
    return vergleichen(bild, x, y, static_cast<int>(text.size()) * 8, text, farbe);
}

bool zeigtText(const Image& bild, int x, int y, const Text& text, Farbe farbe)
{
    return vergleichen(bild, x, y, textBreite(text), text, farbe);
}

}  // namespace qz::test

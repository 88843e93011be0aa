#include "frame/rahmen.hpp"

#include "platform/errors.hpp"

#include <algorithm>

namespace qz {

void Rahmen::zeichne(const ImagePtr& bild, int x, int y, PutMode mode, Quellort where)
{
    if (!bild) raiseError(kNullPointer, where);
    put(screen(), x, y, bild.get(), mode);
}

void Rahmen::zeichneBreit(const ImagePtr& bild, int x, int y, int breite, Quellort where)
{
    if (!bild) raiseError(kNullPointer, where);
    const int w = bild->width, h = bild->height;
    if (breite <= w) return put(screen(), x, y, bild.get(), PutMode::Copy);
    // Composed first, so that the grown picture is drawn in one piece.
    const ImagePtr breit = imageCreate(breite, h);
    const int links = w / 2;
    put(*breit, 0, 0, bild.get(), PutMode::Copy, SourceRect{0, 0, links, h});
    for (int spalte = links; spalte < breite - (w - links); ++spalte)
        put(*breit, spalte, 0, bild.get(), PutMode::Copy, SourceRect{links, 0, 1, h});
    put(*breit, breite - (w - links), 0, bild.get(), PutMode::Copy, SourceRect{links, 0, w - links, h});
    put(screen(), x, y, breit.get(), PutMode::Copy);
}

Rahmen::Spanne Rahmen::spanneUnter(int x, int breite, const Text& text, int rand)
{
    const int mehr = std::max(0, (textBreite(text) + 2 * rand - breite + 1) / 2);
    return {x - mehr, x + breite + mehr};
}

void Rahmen::zeichneUnter(const ImagePtr& bild, int x, int y, const Text& text, int rand, Quellort where)
{
    if (!bild) raiseError(kNullPointer, where);
    const Spanne s = spanneUnter(x, bild->width, text, rand);
    if (s.x2 - s.x1 == bild->width) return put(screen(), x, y, bild.get(), PutMode::Copy);
    zeichneBreit(bild, s.x1, y, s.x2 - s.x1, where);
}

void Rahmen::text(int x, int y, std::string_view cp437, Farbe colour) { drawText(screen(), x, y, cp437, colour); }

void Rahmen::textMittig(double centreX, int y, std::string_view cp437, Farbe colour)
{
    drawText(screen(), centredX(centreX, cp437.size()), y, cp437, colour);
}

void Rahmen::text(int x, int y, const Text& t, Farbe colour) { drawText(screen(), x, y, t, colour); }

void Rahmen::textMittig(double centreX, int y, const Text& t, Farbe colour)
{
    drawText(screen(), centredX(centreX, t), y, t, colour);
}

}  // namespace qz

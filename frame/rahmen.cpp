#include "frame/rahmen.hpp"

#include "platform/errors.hpp"

namespace qz {

void Rahmen::zeichne(const ImagePtr& bild, int x, int y, PutMode mode, Quellort where)
{
    if (!bild) raiseError(kNullPointer, where);
    put(screen(), x, y, bild.get(), mode);
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

#include "multiplayer/screens/mp_widgets.hpp"

namespace qz {

void menueKnopf(Rahmen& rahmen, int y, std::string_view label)
{
    rahmen.zeichne(rahmen.Oberflaechenbild(11), 434, y);
    rahmen.textMittig(512, y + 6, label);
}

void kleinerKnopf(Rahmen& rahmen, int x, int y, double cx, std::string_view label)
{
    rahmen.zeichne(rahmen.Oberflaechenbild(18), x, y);
    rahmen.textMittig(cx, y + 8, label);
}

void textFeld(Rahmen& rahmen, int y, std::string_view text, std::string_view prompt, bool fokus)
{
    rahmen.zeichne(rahmen.Oberflaechenbild(11), 434, y);
    if (text.empty())
        rahmen.textMittig(512, y + 6, prompt, 0x9A9A9A);
    else
        rahmen.textMittig(512, y + 6, text);
    if (fokus) box(rahmen.screen(), 434, y, 589, y + 24, 0xFFFFFFFF);
}

bool klick(Rahmen& rahmen, int x1, int x2, int y1, int y2)
{
    if (rahmen.Mausereignis != 1 || !inBox(rahmen.MausX, rahmen.MausY, x1, x2, y1, y2)) return false;
    rahmen.Mausereignis = 42;
    return true;
}

bool tasteLosgelassen(Rahmen& rahmen, int scanCode, bool& gehalten)
{
    if (rahmen.platform.keyDown(scanCode)) {
        gehalten = true;
        return false;
    }
    const bool war = gehalten;
    gehalten = false;
    return war;
}

}  // namespace qz

#include "multiplayer/screens/mp_widgets.hpp"

#include "multiplayer/private/computerspiel.hpp"

#include <algorithm>
#include <cmath>

namespace qz {

int breiteFuer(int breite, const Text& text) { return std::max(breite, textBreite(text) + 8); }

void breitZeichnen(Rahmen& rahmen, const ImagePtr& bild, double cx, int y, int breite)
{
    const int w = bild ? std::max(breite, bild->width) : breite;
    rahmen.zeichneBreit(bild, static_cast<int>(std::lround(cx - w / 2.0)), y, w);
}

int stufenfeldBreite()
{
    int breite = 56;
    for (int stufe = kStufeLeicht; stufe <= kStufeSchwer; ++stufe)
        breite = std::max(breite, textBreite(tr(stufenText(stufe))) + 8);
    return breite;
}

std::vector<Text> umbrechen(const Text& text, int breite)
{
    const std::size_t zeichen = static_cast<std::size_t>(std::max(1, breite / 8));
    std::vector<Text> zeilen;
    std::string zeile, wort;
    std::size_t zeileLaenge = 0, wortLaenge = 0;
    const auto wortAnhaengen = [&] {
        if (wortLaenge == 0) return;
        if (zeileLaenge > 0 && zeileLaenge + 1 + wortLaenge > zeichen) {
            zeilen.push_back(Text{zeile});
            zeile.clear();
            zeileLaenge = 0;
        }
        if (zeileLaenge > 0) {
            zeile += ' ';
            ++zeileLaenge;
        }
        zeile += wort;
        zeileLaenge += wortLaenge;
        wort.clear();
        wortLaenge = 0;
    };
    std::size_t pos = 0;
    while (pos < text.utf8.size()) {
        const std::size_t start = pos;
        if (naechstesZeichen(text.utf8, pos) == U' ') {
            wortAnhaengen();
            continue;
        }
        wort.append(text.utf8, start, pos - start);
        ++wortLaenge;
    }
    wortAnhaengen();
    if (zeileLaenge > 0 || zeilen.empty()) zeilen.push_back(Text{zeile});
    return zeilen;
}

void textMittigUmbrochen(Rahmen& rahmen, double cx, int y, const Text& text, int breite, Farbe farbe)
{
    if (textBreite(text) <= breite) {
        rahmen.textMittig(cx, y, text, farbe);
        return;
    }
    for (const Text& zeile : umbrechen(text, breite)) {
        rahmen.textMittig(cx, y, zeile, farbe);
        y += 16;
    }
}

void menueKnopf(Rahmen& rahmen, int y, const Text& label)
{
    rahmen.zeichneUnter(rahmen.Oberflaechenbild(11), 434, y, label);
    rahmen.textMittig(512, y + 6, label);
}

void kleinerKnopf(Rahmen& rahmen, int x, int y, const Text& label)
{
    rahmen.zeichneUnter(rahmen.Oberflaechenbild(18), x, y, label);
    rahmen.textMittig(x + 60, y + 8, label);
}

namespace {

// What a text field is as wide as: its prompt while it is empty, else the picture alone.
Rahmen::Spanne feldSpanne(std::string_view text, const Text& prompt)
{
    return Rahmen::spanneUnter(434, kKnopfBreite, text.empty() ? prompt : Text{});
}

}  // namespace

void textFeld(Rahmen& rahmen, int y, std::string_view text, const Text& prompt, bool fokus)
{
    rahmen.zeichneUnter(rahmen.Oberflaechenbild(11), 434, y, text.empty() ? prompt : Text{});
    if (text.empty())
        rahmen.textMittig(512, y + 6, prompt, 0x9A9A9A);
    else
        rahmen.textMittig(512, y + 6, text);
    if (fokus) {
        const Rahmen::Spanne s = feldSpanne(text, prompt);
        box(rahmen.screen(), s.x1, y, s.x2 - 1, y + 24, 0xFFFFFFFF);
    }
}

bool knopfKlick(Rahmen& rahmen, int y, const Text& label)
{
    const Rahmen::Spanne s = Rahmen::spanneUnter(434, kKnopfBreite, label);
    return klick(rahmen, s.x1, s.x2, y, y + 25);
}

bool kleinerKnopfKlick(Rahmen& rahmen, int x, int y, const Text& label)
{
    const Rahmen::Spanne s = Rahmen::spanneUnter(x, kKleinerKnopfBreite, label);
    return klick(rahmen, s.x1, s.x2, y, y + 30);
}

bool feldKlick(Rahmen& rahmen, int y, std::string_view text, const Text& prompt)
{
    const Rahmen::Spanne s = feldSpanne(text, prompt);
    return klick(rahmen, s.x1, s.x2, y, y + 25);
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

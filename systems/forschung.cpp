#include "systems/forschung.hpp"

#include "frame/klang.hpp"
#include "gfx/text_numbers.hpp"
#include "state/spielstand.hpp"

#include <algorithm>

namespace qz {

void SUB_FORSCHUNG(int /*aktiv*/, int& stufe, int kosten, int& fortschritt, int aktiveThemen, int forschungspunkte,
                   int thema, int& kartenNeuzeichnen)
{
    guarded([&] {
        // A switched-on topic implies a count of at least one; a broken count shares nothing.
        if (aktiveThemen < 1) return;
        fortschritt = saettigen(fortschritt + static_cast<long long>(roundHalfEven(static_cast<double>(forschungspunkte) / aktiveThemen)),
                                kGeldGrenze);
        const long long ziel = static_cast<long long>(kosten) * stufe;
        // The highest level is the last: the ranges and values it feeds stay within an int.
        if (ziel < fortschritt && stufe < kStufeGrenze) {
            fortschritt -= static_cast<int>(ziel);
            ++stufe;
            if (thema == 5) kartenNeuzeichnen = 1;
        }
    });
}

void SUB_STERNSYSTEM_FORSCHUNG(Rahmen& rahmen, int mausX, int mausY, int& Mausereignis, int& aktiv,
                               const std::string& name, int stufe, int kosten, int fortschritt, int& aktiveThemen,
                               int zeile, bool zweizeilig)
{
    guarded([&] {
        // The bar's top: 39 pixels a row in one line, 56 with the name on a line above the bar.
        const int y = zweizeilig ? 56 * zeile + 196 : 39 * zeile + 195;
        rahmen.zeichne(rahmen.Oberflaechenbild(aktiv == 1 ? 9 : 8), 341, y + 4);
        rahmen.zeichne(rahmen.Oberflaechenbild(10), 381, y);
        const long long ziel = static_cast<long long>(kosten) * stufe;
        // 0 / 0 at level 0 gives no bar; points at level 0 give a full one.
        const double q = static_cast<double>(fortschritt) / static_cast<double>(ziel) * 287.0;
        if (q > 287.0) filledBox(rahmen.screen(), 388, y + 7, 675, y + 33, rgb(0xEA, 0x75, 0x46));
        else if (q > 0.0) filledBox(rahmen.screen(), 388, y + 7, static_cast<int>(388.0 + q), y + 33, rgb(0x00, 0xCF, 0x00));
        if (zweizeilig) {
            rahmen.text(341, y - 18, tr(name));
            rahmen.text(391, y + 13,
                        tr("Stufe {stufe}: {fortschritt}/{ziel}", {{"stufe", stufe}, {"fortschritt", fortschritt}, {"ziel", ziel}}));
        } else {
            rahmen.text(391, y + 13,
                        tr("{thema}: {stufe}, {fortschritt}/{ziel}",
                           {{"thema", tr(name)}, {"stufe", stufe}, {"fortschritt", fortschritt}, {"ziel", ziel}}));
        }
        if (Mausereignis == 1 && inBox(mausX, mausY, 341, 373, y + 4, y + 36)) {
            if (aktiv == 1) {
                aktiv = 0;
                --aktiveThemen;
            } else {
                aktiv = 1;
                ++aktiveThemen;
            }
            Mausereignis = 0;
            playClick(rahmen);
        }
    });
}

namespace {

// The topics of the three categories, four rows each.
constexpr int kForschungsZeilen[3][4] = {{1, 2, 4, 6}, {3, 11, 9, 10}, {5, 7, 8, 12}};

// Room for a row's line inside its bar: the picture's 302 pixels less 10 each side.
constexpr int kZeilenRaum = 282;

// A translation whose row runs past its bar gets the name on a line of its own. Measured with
// the progress at its level's target, the widest the line gets before the next level, so the
// rows do not jump while the points count up. German keeps the game's own rows of one line.
bool zweizeilig(const Forschung& forschung, int kategorie)
{
    if (sprache() == "de") return false;
    for (int thema : kForschungsZeilen[kategorie - 1]) {
        const ForschungsThema& t = forschung.thema(thema);
        const long long ziel = static_cast<long long>(t.kosten) * t.stufe;
        const long long hoechstens = std::max<long long>(ziel, t.fortschritt);
        const Text zeile = tr("{thema}: {stufe}, {fortschritt}/{ziel}",
                              {{"thema", tr(t.name)}, {"stufe", t.stufe}, {"fortschritt", hoechstens}, {"ziel", ziel}});
        if (textBreite(zeile) > kZeilenRaum) return true;
    }
    return false;
}

}  // namespace

void forschungsZeilen(Rahmen& rahmen, Forschung& forschung, int kategorie)
{
    if (kategorie < 1 || kategorie > 3) return;
    const bool hoch = zweizeilig(forschung, kategorie);
    for (int zeile = 1; zeile <= 4; ++zeile) {
        ForschungsThema& t = forschung.thema(kForschungsZeilen[kategorie - 1][zeile - 1]);
        SUB_STERNSYSTEM_FORSCHUNG(rahmen, rahmen.MausX, rahmen.MausY, rahmen.Mausereignis, t.aktiv, t.name, t.stufe,
                                  t.kosten, t.fortschritt, forschung.aktiveThemen, zeile, hoch);
    }
}

}  // namespace qz

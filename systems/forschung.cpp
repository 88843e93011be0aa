#include "systems/forschung.hpp"

#include "frame/klang.hpp"
#include "gfx/text_numbers.hpp"
#include "state/spielstand.hpp"

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
                               int zeile)
{
    guarded([&] {
        const int y = 39 * zeile;
        rahmen.zeichne(rahmen.Oberflaechenbild(aktiv == 1 ? 9 : 8), 341, y + 199);
        rahmen.zeichne(rahmen.Oberflaechenbild(10), 381, y + 195);
        const long long ziel = static_cast<long long>(kosten) * stufe;
        // 0 / 0 at level 0 gives no bar; points at level 0 give a full one.
        const double q = static_cast<double>(fortschritt) / static_cast<double>(ziel) * 287.0;
        if (q > 287.0) filledBox(rahmen.screen(), 388, y + 202, 675, y + 228, rgb(0xEA, 0x75, 0x46));
        else if (q > 0.0) filledBox(rahmen.screen(), 388, y + 202, static_cast<int>(388.0 + q), y + 228, rgb(0x00, 0xCF, 0x00));
        rahmen.text(391, y + 208,
                    tr("{thema}: {stufe}, {fortschritt}/{ziel}",
                       {{"thema", tr(name)}, {"stufe", stufe}, {"fortschritt", fortschritt}, {"ziel", ziel}}));
        if (Mausereignis == 1 && inBox(mausX, mausY, 341, 373, y + 199, y + 231)) {
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

}  // namespace qz

#include "systems/handel.hpp"

#include "gfx/text_numbers.hpp"

#include <cmath>

namespace qz {

namespace {

void scanne(int eigenerSpieler, int i, int stufe5, Feld<int>& entdecker, const Feld2<int>& pos, int N)
{
    if (stufe5 <= 0) return;
    const int radius = scanRadius(stufe5);
    for (int j = 1; j <= N; ++j)
        if (entdecker(j) == 0 && systemAbstand(pos, i, j) < radius) entdecker(j) = eigenerSpieler;
}

void paar(std::string& liste, int hub, int system)
{
    liste += ',';
    liste += numberToText(hub);
    liste += ',';
    liste += numberToText(system);
}

// Links of a foreign system j to the own hub i, by the agreement with its owner: linked while an
// agreement is in force, dropped when there is none, left as it is while one is only offered.
// Returns true when j is linked to i after the day.
bool partnerVerbindung(int eigenerSpieler, int Spieleranzahl, const Feld<int>* abkommen, int i, int j, int reichweite,
                       Feld<int>& besitzer, const Feld2<int>& pos, Feld<int>& handelsposten, int& handelNeuzeichnen)
{
    const int q = besitzer(j);
    if (!abkommen || q < 1 || q > Spieleranzahl || q == eigenerSpieler) return handelsposten(j) == i;
    const int stand = (*abkommen)(q);
    if (handelsposten(j) == i && stand == 0) {
        handelsposten(j) = 0;
        handelNeuzeichnen = 3;
    } else if (handelsposten(j) == 0 && stand == 2 && systemAbstand(pos, i, j) < reichweite) {
        handelsposten(j) = i;
        handelNeuzeichnen = 3;
    }
    return handelsposten(j) == i;
}

// The day of both modes; without an agreement table only own systems are linked (the sandbox).
void handelsTag(int eigenerSpieler, int Spieleranzahl, const Feld<int>* abkommen, std::string& handelsliste,
                int stufe5, int stufe6, Feld<int>& entdecker, Feld<int>& besitzer, Feld2<int>& pos, Feld<int>& handel,
                Feld<int>& handelsposten, int N, int& handelNeuzeichnen)
{
    for (int i = 1; i <= N; ++i) {
        if (besitzer(i) != eigenerSpieler) continue;
        scanne(eigenerSpieler, i, stufe5, entdecker, pos, N);
        if (handelsposten(i) != -42) continue;
        const int reichweite = handel(i) + stufe6;
        for (int j = 1; j <= N; ++j) {
            if (besitzer(j) == eigenerSpieler) {
                if (handelsposten(j) == 0 && systemAbstand(pos, i, j) < reichweite) {
                    handelsposten(j) = i;
                    handelNeuzeichnen = 3;
                }
                // A new link is listed at once: the lines are redrawn from this list a few
                // frames later, long before the next day would list it.
                if (handelsposten(j) == i) paar(handelsliste, i, j);
            } else if (abkommen && partnerVerbindung(eigenerSpieler, Spieleranzahl, abkommen, i, j, reichweite,
                                                     besitzer, pos, handelsposten, handelNeuzeichnen)) {
                paar(handelsliste, i, j);
            }
        }
    }
}

}  // namespace

int systemAbstand(const Feld2<int>& pos, int a, int b)
{
    const double dx = pos(a, 1) - pos(b, 1), dy = pos(a, 2) - pos(b, 2);
    return roundHalfEven(std::sqrt(dx * dx + dy * dy));
}

void SUB_HANDELSABKOMMEN_BERECHNUNG(int eigenerSpieler, std::string& handelsliste, int stufe5, int stufe6,
                                    Feld<int>& entdecker, Feld<int>& besitzer, Feld2<int>& pos, Feld<int>& handel,
                                    Feld<int>& handelsposten, int N, int& handelNeuzeichnen)
{
    guarded([&] {
        handelsTag(eigenerSpieler, 1, nullptr, handelsliste, stufe5, stufe6, entdecker, besitzer, pos, handel,
                   handelsposten, N, handelNeuzeichnen);
    });
}

void SUB_MP_HANDELSABKOMMEN_BERECHNUNG(int eigenerSpieler, int Spieleranzahl, std::string& handelsliste,
                                       const Feld<int>& abkommen, int stufe5, int stufe6, Feld<int>& entdecker,
                                       Feld<int>& besitzer, Feld2<int>& pos, Feld<int>& handel,
                                       Feld<int>& handelsposten, int N, int& handelNeuzeichnen)
{
    guarded([&] {
        handelsTag(eigenerSpieler, Spieleranzahl, &abkommen, handelsliste, stufe5, stufe6, entdecker, besitzer, pos,
                   handel, handelsposten, N, handelNeuzeichnen);
    });
}

}  // namespace qz

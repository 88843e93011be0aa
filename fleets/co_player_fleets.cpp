#include "fleets/co_player_fleets.hpp"

#include "fleets/route.hpp"
#include "gfx/text_numbers.hpp"
#include "platform/errors.hpp"
#include "platform/takt.hpp"

#include <cmath>
#include <unordered_set>

namespace qz {

namespace {

bool eigenesSchiffSteht(const SchiffSatz& eigene, int ort)
{
    const int letztes = std::min(eigene.anzahl, eigene[kOrt].hi());
    for (int k = 1; k <= letztes; ++k)
        if (eigene.wert(kOrt, k) == ort && eigene.wert(kTyp, k) > 0) return true;
    return false;
}

}  // namespace

bool mitspielerSichtbar(const Sternsysteme& systeme, int Sternanzahl, int eigenerSpieler, int scannerStufe,
                        const SchiffSatz& eigeneSchiffe, int x, int y, int ort)
{
    const double mx = x + 16.0, my = y + 16.0;
    const int reichweite = sichtweite(scannerStufe);
    for (int s = 1; s <= Sternanzahl; ++s) {
        if (systeme.besitzer(s) == eigenerSpieler) {
            const double dx = mx - systeme.pos(s, 1), dy = my - systeme.pos(s, 2);
            if (roundHalfEven(std::sqrt(dx * dx + dy * dy)) < reichweite) return true;
        } else if (ort == s && eigenesSchiffSteht(eigeneSchiffe, s)) {
            return true;
        }
    }
    return false;
}

void mitspielerFlottenBewegen(Feld<SchiffSatz>& saetze, Spieler& spieler, Feld<double>& naechsterFlugschritt,
                              int eigenerSpieler, int Spieleranzahl, double jetzt)
{
    guarded([&] {
        for (int p = 1; p <= Spieleranzahl; ++p) {
            if (p == eigenerSpieler) continue;
            SchiffSatz& satz = saetze(p);
            if (satz.anzahl < 1) continue;
            if (spieler.hoechsteFlotte(p) < 1) spieler.hoechsteFlotte(p) = 1;
            if (faelligeSchritte(naechsterFlugschritt(p), jetzt, spieler.bewegungsIntervall(p), 1) < 1) continue;
            jedeFlotte(satz, [&](int i, int) {
                std::string& route = satz[kRoute](i);
                if (route.empty() || route[0] < '1' || route[0] > '9') return;
                int x = satz.wert(kX, i);
                int y = satz.wert(kY, i);
                if (route[0] == '9') {
                    route = "0";
                } else {
                    const Richtung r = richtungVon(route[0]);
                    x += r.dx;
                    y += r.dy;
                    route.erase(0, 1);
                }
                satz.setze(kX, i, x);
                satz.setze(kY, i, y);
            });
        }
    });
}

void SUB_FLOTTEN_MITSPIELER(Rahmen& rahmen, Feld<SchiffSatz>& saetze, Spieler& spieler,
                            Feld<double>& naechsterFlugschritt, const Sternsysteme& systeme, int eigenerSpieler,
                            int Spieleranzahl, int scrollX, int scrollY, int scannerStufe, int Sternanzahl)
{
    mitspielerFlottenBewegen(saetze, spieler, naechsterFlugschritt, eigenerSpieler, Spieleranzahl,
                             rahmen.platform.timer());
    guarded([&] {
        for (int p = 1; p <= Spieleranzahl; ++p) {
            if (p == eigenerSpieler) continue;
            SchiffSatz& satz = saetze(p);
            if (satz.anzahl < 1) continue;
            jedeFlotte(satz, [&](int i, int typ) {
                const int x = satz.wert(kX, i), y = satz.wert(kY, i);
                if (mitspielerSichtbar(systeme, Sternanzahl, eigenerSpieler, scannerStufe, saetze(eigenerSpieler), x,
                                       y, satz.wert(kOrt, i)))
                    rahmen.zeichne(rahmen.Schiffbild(p, typ), x - scrollX, y - scrollY, PutMode::Transparent);
            });
        }
    });
}

}  // namespace qz

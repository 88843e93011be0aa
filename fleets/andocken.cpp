#include "fleets/andocken.hpp"

#include "frame/klang.hpp"
#include "gfx/text_numbers.hpp"
#include "systems/schiffswert.hpp"

namespace qz {

namespace {

struct Platz {
    int hx, hy;  // background
    int bx, by;  // ship picture
    int tx, ty;  // count text
};

constexpr Platz kPlaetze[9] = {
    {},
    {10, 667, 16, 673, 70, 682},   {150, 667, 156, 673, 210, 682}, {290, 667, 296, 673, 350, 682},
    {430, 667, 436, 673, 490, 682}, {10, 714, 13, 720, 70, 729},   {150, 714, 154, 720, 210, 729},
    {290, 714, 296, 720, 350, 729}, {430, 714, 436, 720, 490, 729},
};

void leereSchiff(SchiffSatz& s, int j, int system)
{
    setzeSchiffWert(s, kAngedockt, j, system);
    for (Schiffsfeld f : {kOrt, kX, kY, kZielX, kZielY, kRoute}) s[f](j).assign(1, '0');
}

}  // namespace

void flotteAndocken(SchiffSatz& s, int Schiffanzahl, int vertreter, int system)
{
    const int flotte = schiffWert(s, kFlotte, vertreter);
    for (int j = 1; j <= Schiffanzahl; ++j)
        if (j != vertreter && schiffWert(s, kFlotte, j) == flotte) leereSchiff(s, j, system);
    leereSchiff(s, vertreter, system);
}

void SUB_FLOTTE_ANDOCKEN(Rahmen& rahmen, Kartenzustand& karte, SchiffSatz& s, Sternsysteme& systeme,
                         int Schiffanzahl, int mausX, int mausY, int eigenerSpieler)
{
    guarded([&] {
        const int g = karte.gewaehltesSchiff;
        if (karte.gewaehlteFlotte < 1 || g < 1 || g > Schiffanzahl) return;
        rahmen.zeichne(rahmen.Oberflaechenbild(22), 570, 667);
        for (int k = 1; k <= 8; ++k) {
            const Platz& p = kPlaetze[k];
            rahmen.zeichne(rahmen.Oberflaechenbild(20), p.hx, p.hy);
            rahmen.zeichne(rahmen.Schiffbild(eigenerSpieler, k), p.bx, p.by, PutMode::Transparent);
            rahmen.text(p.tx, p.ty, numberToText(karte.gewaehlteTypen(k)) + "x");
        }
        const int ort = schiffWert(s, kOrt, g);
        const bool steht = schiffWert(s, kX, g) == schiffWert(s, kZielX, g) && schiffWert(s, kY, g) == schiffWert(s, kZielY, g);
        if (ort == 0) {
            filledBox(rahmen.screen(), 574, 671, 699, 688, rgb(0x8B, 0, 0));
            rahmen.text(604, 673, tr("Andocken"));
            return;
        }
        if (systeme.besitzer(ort) != eigenerSpieler || !steht) return;
        filledBox(rahmen.screen(), 574, 671, 699, 688, rgb(0x22, 0x8B, 0x22));
        rahmen.text(604, 673, tr("Andocken"));
        if (rahmen.Mausereignis != 1 || !inBox(mausX, mausY, 570, 703, 667, 692)) return;
        flotteAndocken(s, Schiffanzahl, g, ort);
        karte.gewaehlteFlotte = 0;
        karte.gewaehltesSchiff = 0;
        rahmen.Mausereignis = 0;
        playClick(rahmen);
    });
}

}  // namespace qz

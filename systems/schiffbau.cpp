#include "systems/schiffbau.hpp"

#include "frame/klang.hpp"
#include "gfx/text_numbers.hpp"
#include "systems/schiffstypen.hpp"

#include <string>

namespace qz {

namespace {

void anhaengen(std::string& liste, long long wert)
{
    liste += ',';
    liste += numberToText(wert);
}

// One cell of the catalogue: frame, ship picture, and the areas for the information and the order.
struct Zelle {
    int rahmenBild;
    int fx, fy;  // frame
    int bx, by;  // ship picture
    int klickRechts;
};

constexpr Zelle kZellen[9] = {
    {},
    {12, 332, 220, 339, 226, 512}, {13, 513, 220, 654, 226, 692}, {12, 332, 265, 339, 271, 512},
    {13, 513, 265, 654, 271, 692}, {12, 332, 310, 336, 316, 512}, {13, 513, 310, 652, 316, 692},
    {12, 332, 355, 339, 361, 512}, {13, 513, 355, 654, 361, 692},
};

bool imSchwebebereich(const Zelle& z, int x, int y) { return inBox(x, y, z.fx, z.fx + 180, z.fy, z.fy + 45); }
bool imKlickbereich(const Zelle& z, int x, int y) { return inBox(x, y, z.fx, z.klickRechts, z.fy, z.fy + 45); }

void zeigeInformation(Rahmen& rahmen, int typ)
{
    const Schiffstyp& t = schiffstyp(typ);
    int y = 413;
    rahmen.text(332, y, tr(schiffsName(typ)));
    y += 24;
    rahmen.text(332, y, tr("Kosten: {preis}G", {{"preis", t.preis}}));
    rahmen.text(332, y += 13, tr("Schilde: {schild}", {{"schild", t.schild}}));
    rahmen.text(332, y += 13, tr("H\x81lle: {huelle}", {{"huelle", t.huelle}}));
    rahmen.text(332, y += 13, tr("Feuerkraft: {feuerkraft}", {{"feuerkraft", t.feuerkraft}}));
    if (typ == 7) rahmen.text(332, y += 13, tr("Planetarer Schaden: {schaden}", {{"schaden", 25}}));
    if (typ == 1) {
        rahmen.text(332, y += 24, tr("Ein Schiff welches die Besiedelung"));
        rahmen.text(332, y + 13, tr("unbewohnter Planeten erm\x94glicht."));
    } else if (typ == 7) {
        rahmen.text(332, y += 24, tr("Ein schweres Schlachtschiff das feindliche"));
        rahmen.text(332, y + 13, tr("bewohnte Planeten angreifen kann."));
    }
}

}  // namespace

void SUB_SCHIFFBAU(int eigenerSpieler, int besitzer, SchiffListen& listen, int werft, Feld2<int>& bauAufwand,
                   Feld2<int>& bauFortschritt, Feld2<int>& bauTyp, int i, int& bauAuftraege)
{
    guarded([&] {
        // A shipyard works only for its owner; a conquered system's queue stands still.
        if (besitzer != eigenerSpieler || bauAuftraege < 1) return;
        const int anteil = roundHalfEven(static_cast<double>(werft) / bauAuftraege);
        for (int k = 1; k <= 3; ++k) {
            if (bauTyp(i, k) > 0) bauFortschritt(i, k) += anteil;
            if (bauAufwand(i, k) > 0 && bauFortschritt(i, k) >= bauAufwand(i, k)) {
                const int typ = bauTyp(i, k);
                const Schiffstyp& t = schiffstyp(typ);
                for (Schiffsfeld f : {kOrt, kZiel, kX, kY, kZielX, kZielY, kFlotte, kRoute}) anhaengen(listen[f], 0);
                anhaengen(listen[kTyp], typ);
                anhaengen(listen[kAngedockt], i);
                anhaengen(listen[kFeuerkraft], t.feuerkraft);
                anhaengen(listen[kSchild], t.schild);
                anhaengen(listen[kHuelle], t.huelle);
                bauTyp(i, k) = 0;
                bauAufwand(i, k) = 0;
                bauFortschritt(i, k) = 0;
                --bauAuftraege;
            }
        }
    });
}

bool bauauftragErteilen(int typ, int system, int& einwohner, int& geld, Feld2<int>& bauAufwand, Feld2<int>& bauTyp,
                        int& bauAuftraege)
{
    if (typ < 1 || typ > 8 || bauAuftraege >= 3) return false;
    int frei = 0;
    for (int k = 3; k >= 1; --k)
        if (bauAufwand(system, k) < 1) frei = k;
    const Schiffstyp& t = schiffstyp(typ);
    const bool bezahlbar = geld >= t.preis && (typ != 1 || einwohner >= kKolonieEinwohnerMindestens);
    if (frei == 0 || !bezahlbar) return false;
    geld -= t.preis;
    if (typ == 1) einwohner -= kKolonieEinwohnerPreis;
    bauTyp(system, frei) = typ;
    bauAufwand(system, frei) = t.bauPunkte;
    ++bauAuftraege;
    return true;
}

void SUB_STERNSYSTEM_SCHIFFBAU(Rahmen& rahmen, int& einwohner, int katalogOffen, int eigenerSpieler, int system,
                               int& geld, int mausX, int mausY, int& Mausereignis, Feld2<int>& bauAufwand,
                               Feld2<int>& bauFortschritt, Feld2<int>& bauTyp, int& bauAuftraege)
{
    guarded([&] {
        const int s = system;
        rahmen.text(472, 5, tr("Schiff Bau"));
        for (int y : {49, 88, 127}) rahmen.zeichne(rahmen.Oberflaechenbild(10), 362, y);
        for (int k = 1; k <= 3; ++k) {
            // An empty slot (0 / 0) draws nothing; a new order appears after its first day of work.
            const double anteil = static_cast<double>(bauFortschritt(s, k)) / static_cast<double>(bauAufwand(s, k));
            const int w = roundHalfEven(anteil * 287.0);
            if (!(w > 0) || bauTyp(s, k) < 1 || bauTyp(s, k) > 8) continue;
            const int rechts = w > 287 ? 656 : roundHalfEven(anteil * 287.0 + 369.0);
            filledBox(rahmen.screen(), 369, 39 * k + 17, rechts, 39 * k + 43, rgb(0x7D, 0x75, 0x46));
            rahmen.zeichne(rahmen.Schiffbild(eigenerSpieler, bauTyp(s, k)), 366, 39 * k + 14, PutMode::Transparent);
        }
        rahmen.text(326, 175, numberToText(bauAuftraege) + "/3");
        if (katalogOffen != 1) {
            rahmen.zeichne(rahmen.Oberflaechenbild(6), 681, 168);
            return;
        }
        rahmen.zeichne(rahmen.Oberflaechenbild(7), 681, 168);
        rahmen.zeichne(rahmen.Oberflaechenbild(2), 312, 200);
        int frei = 0;
        for (int k = 3; k >= 1; --k)
            if (bauAufwand(s, k) < 1) frei = k;
        for (int typ = 1; typ <= 8; ++typ) {
            const Zelle& z = kZellen[typ];
            rahmen.zeichne(rahmen.Oberflaechenbild(z.rahmenBild), z.fx, z.fy);
            rahmen.zeichne(rahmen.Schiffbild(eigenerSpieler, typ), z.bx, z.by, PutMode::Transparent);
            if (imSchwebebereich(z, mausX, mausY)) zeigeInformation(rahmen, typ);
        }
        if (bauAuftraege >= 3 || Mausereignis != 1 || frei == 0) return;
        for (int typ = 1; typ <= 8; ++typ) {
            if (!imKlickbereich(kZellen[typ], mausX, mausY)) continue;
            if (!bauauftragErteilen(typ, s, einwohner, geld, bauAufwand, bauTyp, bauAuftraege)) continue;
            Mausereignis = 0;
            playClick(rahmen);
            return;
        }
    });
}

}  // namespace qz

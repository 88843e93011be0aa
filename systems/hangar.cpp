#include "systems/hangar.hpp"

#include "frame/klang.hpp"
#include "gfx/text_numbers.hpp"
#include "systems/schiffstypen.hpp"
#include "systems/schiffswert.hpp"
#include "state/spielstand.hpp"

#include <algorithm>
#include <vector>

namespace qz {

namespace {

constexpr int kProSeite = 14;
constexpr Farbe kMarkierung = rgb(0x9D, 0xFF, 0x46);

struct Zellort {
    int x, y;
};

Zellort zellort(int k, int linkeSpalte, int rechteSpalte)
{
    return {k % 2 == 1 ? linkeSpalte : rechteSpalte, 219 + 45 * ((k + 1) / 2)};
}

// A page behind the end of its list (the list shrank while the page was kept) shows the last
// page instead, which has entries and, where there are more pages, the arrows to leave it.
void seiteBegrenzen(int& seite, int anzahl) { seite = std::clamp(seite, 1, std::max(1, (anzahl + kProSeite - 1) / kProSeite)); }

int bildVersatz(int typ) { return typ == 5 ? 3 : typ == 6 ? 4 : 6; }

void klick(Rahmen& rahmen, int& Mausereignis)
{
    Mausereignis = 0;
    playClick(rahmen);
}

// The page arrows of a list of `anzahl` entries on page `seite`.
void seitenPfeile(Rahmen& rahmen, int anzahl, int& seite, int vorX, int zurueckX, int mausX, int mausY,
                  int& Mausereignis)
{
    if (anzahl <= kProSeite) return;
    if (kProSeite * seite < anzahl) rahmen.zeichne(rahmen.Oberflaechenbild(16), vorX, 220);
    if (seite > 1) rahmen.zeichne(rahmen.Oberflaechenbild(17), zurueckX, 220);
    if (Mausereignis != 1) return;
    if (inBox(mausX, mausY, vorX, vorX + 20, 220, 240)) {
        if (kProSeite * seite < anzahl) ++seite;
        klick(rahmen, Mausereignis);
    } else if (inBox(mausX, mausY, zurueckX, zurueckX + 20, 220, 240)) {
        if (seite > 1) --seite;
        klick(rahmen, Mausereignis);
    }
}

}  // namespace

void SUB_STERNSYSTEM_HANGER(Rahmen& rahmen, int eigenerSpieler, int stufe9, int stufe10, int& abdockFlotte,
                            int& hoechsteFlotte, int& hangarSchiff, int& hangarFlotte, int& mausX, int& mausY,
                            int& Mausereignis, int& /*Tastencode*/, int& flottenSeite, int& hangarSeite,
                            SchiffSatz& s, int Schiffanzahl, int system)
{
    guarded([&] {
        std::vector<int> gedockt;
        for (int k = 1; k <= Schiffanzahl; ++k)
            if (schiffWert(s, kAngedockt, k) == system) gedockt.push_back(k);
        const int n = static_cast<int>(gedockt.size());
        if (n == 0) return;
        rahmen.zeichne(rahmen.Oberflaechenbild(2), 512, 200);
        rahmen.zeichne(rahmen.Oberflaechenbild(2), 112, 200);

        seiteBegrenzen(hangarSeite, n);
        const int zellen = std::min(kProSeite, n - kProSeite * (hangarSeite - 1));
        for (int k = 1; k <= zellen; ++k) {
            const int schiff = gedockt[static_cast<std::size_t>(kProSeite * (hangarSeite - 1) + k - 1)];
            const auto [x, y] = zellort(k, 132, 313);
            const int typ = schiffWert(s, kTyp, schiff);
            rahmen.zeichne(rahmen.Oberflaechenbild(12), x, y);
            if ((hangarFlotte > 0 && schiffWert(s, kFlotte, schiff) == hangarFlotte) || schiff == hangarSchiff)
                box(rahmen.screen(), x + 1, y + 1, x + 179, y + 44, kMarkierung);
            rahmen.zeichne(rahmen.Schiffbild(eigenerSpieler, typ), x + bildVersatz(typ), y + 6, PutMode::Transparent);
            rahmen.text(x + 15, y + 10,
                        tr("Schild: {wert}/{hoechstens}",
                           {{"wert", s[kSchild](schiff)}, {"hoechstens", schildMaximum(typ, stufe9)}}));
            rahmen.text(x + 15, y + 22,
                        tr("Rumpf: {wert}/{hoechstens}",
                           {{"wert", s[kHuelle](schiff)}, {"hoechstens", huelleMaximum(typ, stufe10)}}));
            if (Mausereignis == 1 && inBox(mausX, mausY, x, x + 180, y, y + 45)) {
                if (hangarFlotte == 0) {
                    hangarSchiff = schiff;
                    const int f = schiffWert(s, kFlotte, schiff);
                    if (f > 0) hangarFlotte = f;
                } else {
                    s[kFlotte](schiff) = s[kFlotte](hangarSchiff);
                }
                klick(rahmen, Mausereignis);
            }
        }

        if (hangarSchiff > 0 && schiffWert(s, kFlotte, hangarSchiff) < 1) {
            rahmen.zeichne(rahmen.Oberflaechenbild(14), 212, 220);
            rahmen.zeichne(rahmen.Oberflaechenbild(8), 216, 224);
            rahmen.text(258, 232, tr("Flotte erstellen"));
            if (Mausereignis == 1 && inBox(mausX, mausY, 216, 406, 232, 272) && hoechsteFlotte < kFlottenGrenze) {
                ++hoechsteFlotte;
                hangarFlotte = hoechsteFlotte;
                setzeSchiffWert(s, kFlotte, hangarSchiff, hoechsteFlotte);
                klick(rahmen, Mausereignis);
            }
        }

        if (hangarFlotte > 0) {
            rahmen.zeichne(rahmen.Oberflaechenbild(15), 212, 220);
            rahmen.zeichne(rahmen.Oberflaechenbild(9), 216, 224);
            rahmen.text(258, 232, tr("Flotte l\x94schen"));
            if (Mausereignis == 1 && inBox(mausX, mausY, 216, 406, 232, 272)) {
                for (int k = 1; k <= Schiffanzahl; ++k)
                    if (schiffWert(s, kFlotte, k) == hangarFlotte) s[kFlotte](k).assign(1, '0');
                hangarSchiff = 0;
                hangarFlotte = 0;
                klick(rahmen, Mausereignis);
            }
        }
        if (hangarFlotte > 0 && abdockFlotte == 0) {
            rahmen.zeichne(rahmen.Oberflaechenbild(14), 612, 220);
            rahmen.text(652, 232, tr("Flotte abdocken"));
            if (Mausereignis == 1 && inBox(mausX, mausY, 612, 802, 232, 272)) {
                abdockFlotte = hangarFlotte;
                hangarSchiff = 0;
                hangarFlotte = 0;
                hangarSeite = 1;
                flottenSeite = 1;
                klick(rahmen, Mausereignis);
            }
        }

        std::vector<int> mitglieder;
        if (hangarFlotte > 0) {
            for (int k = 1; k <= Schiffanzahl; ++k)
                if (schiffWert(s, kFlotte, k) == hangarFlotte) mitglieder.push_back(k);
            const int m = static_cast<int>(mitglieder.size());
            seiteBegrenzen(flottenSeite, m);
            const int fzellen = std::min(kProSeite, m - kProSeite * (flottenSeite - 1));
            for (int k = 1; k <= fzellen; ++k) {
                const int schiff = mitglieder[static_cast<std::size_t>(kProSeite * (flottenSeite - 1) + k - 1)];
                const auto [x, y] = zellort(k, 532, 713);
                const int typ = schiffWert(s, kTyp, schiff);
                rahmen.zeichne(rahmen.Oberflaechenbild(12), x, y);
                if (schiff == hangarSchiff) box(rahmen.screen(), x + 1, y + 1, x + 179, y + 44, kMarkierung);
                rahmen.zeichne(rahmen.Schiffbild(eigenerSpieler, typ), x + bildVersatz(typ), y + 6, PutMode::Transparent);
                if (Mausereignis == 1 && schiff != hangarSchiff && inBox(mausX, mausY, x, x + 180, y, y + 45)) {
                    s[kFlotte](schiff).assign(1, '0');
                    if (flottenSeite > 1 && kProSeite * flottenSeite - m == 13) --flottenSeite;
                    klick(rahmen, Mausereignis);
                }
            }
        }

        seitenPfeile(rahmen, n, hangarSeite, 472, 449, mausX, mausY, Mausereignis);
        if (hangarFlotte > 0)
            seitenPfeile(rahmen, static_cast<int>(mitglieder.size()), flottenSeite, 872, 849, mausX, mausY, Mausereignis);
    });
}

void SUB_SCHIFFEREPARIEREN(int stufe9, int stufe11, int stufe10, int stufe12, const std::string& typText,
                           std::string& schild, std::string& huelle, const std::string& angedockt)
{
    guarded([&] {
        const int typ = textToInt(typText);
        const int schildMax = schildMaximum(typ, stufe9), huelleMax = huelleMaximum(typ, stufe10);
        int h = textToInt(huelle), sch = textToInt(schild);
        if (textToInt(angedockt) > 0) {
            if (h < huelleMax) h += 10 + stufe12;
            if (h > huelleMax) h = huelleMax;
        }
        if (sch < schildMax) sch += 10 + stufe11;
        if (sch > schildMax) sch = schildMax;
        huelle = numberToText(h);
        schild = numberToText(sch);
    });
}

}  // namespace qz

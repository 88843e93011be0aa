#include "systems/sternsystem_bildschirm.hpp"

#include "frame/klang.hpp"
#include "gfx/text_numbers.hpp"

#include <algorithm>

namespace qz {

namespace {

// A value row: its bar colours and how its value reads ("{wert}" is the number).
struct Zeile {
    Farbe hell, dunkel;
    std::string_view wert;
};

constexpr Zeile kZeilen[5] = {
    {rgb(0xA9, 0xF5, 0xA9), rgb(0x00, 0xCF, 0x00), trMark("{wert}Mio.")},
    {rgb(0xF2, 0xF5, 0xA9), rgb(0xC7, 0xCF, 0x00), trMark("{wert}/5s")},
    {rgb(0xA9, 0xD0, 0xF5), rgb(0x75, 0xBD, 0xEA), "{wert}"},
    {rgb(0xF7, 0x9F, 0x81), rgb(0xEA, 0x75, 0x46), "{wert}"},
    {rgb(0xF5, 0xDA, 0x81), rgb(0x7D, 0x75, 0x46), "{wert}"},
};

int balkenEnde(int wert) { return 451 + roundHalfEven(0.45 * wert); }

void planetenBild(Rahmen& rahmen, int typ) { rahmen.zeichne(rahmen.Planetenbild(typ == 42 ? 18 : typ), 335, 54); }

void wechsleTab(Kartenzustand& karte, int richtung) { karte.systemTab = (karte.systemTab - 1 + richtung + 5) % 5 + 1; }

void klick(Rahmen& rahmen)
{
    rahmen.Mausereignis = 0;
    playClick(rahmen);
}

// A system's name as the map holds it; the home planet's is the game's own word and reads in
// the player's language.
Text systemName(const std::string& name)
{
    return name == "Heimatplanet" ? tr("Heimatplanet") : textAusCp437(name);
}

// The three research categories, each on a box 234 pixels wide at x 395 (picture 5), wider to
// the right, towards the edge of the panel, for a longer name.
constexpr std::string_view kKategorien[3] = {trMark("Planetarische Forschung"), trMark("Schiffsverbesserungen"),
                                             trMark("Defensiv & Offensiv")};

int kategorieBreite(int c) { return std::max(234, textBreite(tr(kKategorien[c - 1])) + 18); }

void forschungsKopf(Rahmen& rahmen, const Kartenzustand& karte, int forschungsetat)
{
    rahmen.text(474, 5, tr("Forschung"));
    for (int c = 1; c <= 3; ++c) {
        const int y = 31 + 30 * (c - 1);
        const Text& name = tr(kKategorien[c - 1]);
        rahmen.zeichneBreit(rahmen.Oberflaechenbild(5), 395, y, kategorieBreite(c));
        if (c == karte.forschungsKategorie)
            filledBox(rahmen.screen(), 401, y + 6, 395 + kategorieBreite(c) - 6, y + 24, rgb(0x22, 0x8B, 0x22));
        rahmen.text(404, y + 9, name);
    }
    rahmen.zeichneBreit(rahmen.Oberflaechenbild(5), 395, 125, textBreite(tr("Forschungsetat")) + 18);
    rahmen.text(404, 134, tr("Forschungsetat"));
    rahmen.zeichne(rahmen.Oberflaechenbild(18), 452, 158);
    if (forschungsetat > 0) rahmen.zeichne(rahmen.Oberflaechenbild(3), 461, 163);
    rahmen.zeichne(rahmen.Oberflaechenbild(4), 544, 163);
    rahmen.text(496, 166, tr("{prozent}%", {{"prozent", forschungsetat}}));
    rahmen.zeichne(rahmen.Oberflaechenbild(2), 312, 200);
}

// The research tab's own clicks; true when one acted.
bool forschungsKlick(Rahmen& rahmen, Kartenzustand& karte, int& forschungsetat)
{
    const int x = rahmen.MausX, y = rahmen.MausY;
    if (inBox(x, y, 395, 395 + kategorieBreite(1), 31, 61)) karte.forschungsKategorie = 1;
    else if (inBox(x, y, 395, 395 + kategorieBreite(2), 61, 91)) karte.forschungsKategorie = 2;
    else if (inBox(x, y, 395, 395 + kategorieBreite(3), 91, 121)) karte.forschungsKategorie = 3;
    else if (forschungsetat > 0 && inBox(x, y, 461, 481, 163, 183)) forschungsetat -= 5;
    else if (forschungsetat < 100 && inBox(x, y, 544, 564, 163, 183)) forschungsetat += 5;
    else return false;
    return true;
}

}  // namespace

void SUB_STERNSYSTEM_SELECT(Rahmen& rahmen, Sternsysteme& sys, int s, int eigenerSpieler, Kartenzustand& karte,
                            int& forschungsetat, int& gewaehltesSystem, int& /*kartenNeuzeichnen*/)
{
    guarded([&] {
        if (s < 1 || sys.besitzer(s) != eigenerSpieler) return;
        rahmen.zeichne(rahmen.Oberflaechenbild(1), 312, 0);
        rahmen.zeichne(rahmen.Oberflaechenbild(3), 323, 11);
        rahmen.zeichne(rahmen.Oberflaechenbild(4), 681, 11);
        if (sys.befestigung(s) > 0) {
            const double q = static_cast<double>(sys.befestigung(s)) / sys.befestigungMax(s);
            filledBox(rahmen.screen(), 436, 4, roundHalfEven(q * 153 + 434), 21, rgb(0x8B, 0, 0));
        }
        if (sys.schildMax(s) > 0) {
            const double q = static_cast<double>(sys.schild(s)) / sys.schildMax(s);
            filledBox(rahmen.screen(), 436, 4, roundHalfEven(q * 153 + 434), 21, rgb(0x64, 0x95, 0xED));
        }
        if (karte.systemTab == 1) {
            planetenBild(rahmen, sys.typ(s));
            const int werte[5] = {sys.einwohner(s), sys.versorgung(s), sys.forschung(s), sys.handel(s), sys.werft(s)};
            const int grenzen[5] = {sys.einwohnerMax(s), sys.versorgungMax(s), sys.forschungBasis(s), sys.handelMax(s),
                                    sys.werftBasis(s)};
            for (int k = 0; k < 5; ++k) {
                const int y = 33 + 30 * k;
                rahmen.zeichne(rahmen.Oberflaechenbild(5), 446, y);
                filledBox(rahmen.screen(), 451, y + 5, balkenEnde(grenzen[k]), y + 24, kZeilen[k].hell);
                filledBox(rahmen.screen(), 451, y + 5, balkenEnde(werte[k]), y + 24, kZeilen[k].dunkel);
                rahmen.text(455, y + 9, tr(kZeilen[k].wert, {{"wert", werte[k]}}));
            }
            rahmen.textMittig(512, 5, systemName(sys.name(s)));
        } else if (karte.systemTab == 3) {
            forschungsKopf(rahmen, karte, forschungsetat);
        } else if (karte.systemTab == 5) {
            rahmen.text(445, 5, tr("Hanger Verwaltung"));
        }

        // A tab changes once per key press, when the key is let go.
        Platform& p = rahmen.platform;
        const int taste = rahmen.Tastencode;
        if ((taste == 1 && !p.keyDown(scan::A)) || (taste == 27 && !p.keyDown(scan::Left))) {
            wechsleTab(karte, -1);
            rahmen.Tastencode = 0;
        } else if ((taste == 4 && !p.keyDown(scan::D)) || (taste == 28 && !p.keyDown(scan::Right))) {
            wechsleTab(karte, 1);
            rahmen.Tastencode = 0;
        }

        if (rahmen.Mausereignis == 1) {
            const int x = rahmen.MausX, y = rahmen.MausY;
            bool verbraucht = false;
            if (karte.systemTab == 3) verbraucht = forschungsKlick(rahmen, karte, forschungsetat);
            else if (karte.systemTab == 4 && inBox(x, y, 681, 701, 168, 188)) {
                karte.katalogOffen = karte.katalogOffen == 1 ? 0 : 1;
                verbraucht = true;
            }
            if (!verbraucht) {
                if (inBox(x, y, 323, 343, 11, 31)) wechsleTab(karte, -1), verbraucht = true;
                else if (inBox(x, y, 681, 701, 11, 31)) wechsleTab(karte, 1), verbraucht = true;
            }
            if (verbraucht) klick(rahmen);
        } else if (rahmen.Mausereignis == 2) {
            if (karte.systemTab == 5 && karte.hangarSchiff > 0) {
                karte.hangarSchiff = 0;
                karte.hangarFlotte = 0;
            } else {
                karte.hangarSchiff = 0;
                karte.hangarFlotte = 0;
                karte.hangarSeite = 1;
                karte.systemTab = 1;
                gewaehltesSystem = 0;
                rahmen.Tastencode = 0;
            }
            rahmen.Mausereignis = 0;
        }
    });
}

void SUB_STERNSYSTEM_STATS(Rahmen& rahmen, Sternsysteme& sys, int s, int Sternanzahl)
{
    guarded([&] {
        if (sys.typ(s) != 42 && sys.handelsposten(s) >= 0) {
            rahmen.zeichne(rahmen.Oberflaechenbild(5), 395, 41);
            filledBox(rahmen.screen(), 400, 46, 624, 66, rgb(0, 0, 0));
            rahmen.text(405, 51, tr("Handelsposten +35"));
            if (rahmen.Mausereignis == 1 && inBox(rahmen.MausX, rahmen.MausY, 395, 629, 41, 71)) {
                sys.handelsposten(s) = -42;
                klick(rahmen);
            }
        }
        if (sys.handelsposten(s) == -42) {
            int n = 0;
            for (int j = 1; j <= Sternanzahl; ++j)
                if (sys.handelsposten(j) == s) ++n;
            if (n == 0) rahmen.text(335, 40, tr("Keine Planeten in Reichweite um Handel zu betreiben."));
            else rahmen.text(335, 40, tr("Handelt mit: {anzahl} Planeten. (+ {geld}G)", {{"anzahl", n}, {"geld", 20 * n}}));
        }
        rahmen.text(335, 100, tr("Planetarerschild: {wert}/{hoechstens}",
                                 {{"wert", sys.schild(s)}, {"hoechstens", sys.schildMax(s)}}));
        rahmen.text(335, 114, tr("Befestigung: {wert}/{hoechstens}",
                                 {{"wert", sys.befestigung(s)}, {"hoechstens", sys.befestigungMax(s)}}));
    });
}

void kolonisieren(Sternsysteme& sys, int s, int eigenerSpieler, SchiffSatz& schiffe, int schiff)
{
    schiffe[kTyp](schiff).assign(1, '0');
    sys.besitzer(s) = eigenerSpieler;
    kolonieStartwerte(sys, s);
}

void kolonieStartwerte(Sternsysteme& sys, int s)
{
    sys.einwohnerMax(s) = sys.einwohnerBasis(s);
    sys.versorgungMax(s) = sys.versorgungBasis(s);
    sys.handelMax(s) = sys.handelBasis(s);
    sys.einwohner(s) = std::min(sys.einwohnerBasis(s), 15);
    sys.versorgung(s) = std::min(sys.versorgungBasis(s), 5);
    sys.forschung(s) = std::min(sys.forschungBasis(s), 5);
    sys.handel(s) = std::min(sys.handelBasis(s), 5);
    sys.werft(s) = std::min(sys.werftBasis(s), 5);
}

void SUB_STERNSYSTEM_BESUCHT(Rahmen& rahmen, Sternsysteme& sys, int s, int eigenerSpieler, SchiffSatz& schiffe,
                             int& kolonieschiff, int& gewaehltesSystem, int& kartenNeuzeichnen)
{
    guarded([&] {
        rahmen.zeichne(rahmen.Oberflaechenbild(1), 312, 0);
        planetenBild(rahmen, sys.typ(s));
        if (kolonieschiff > 0) {
            rahmen.zeichne(rahmen.Oberflaechenbild(18), 324, 138);
            rahmen.text(336, 146, tr("Kolonisieren"));
            if (rahmen.Mausereignis == 1 && inBox(rahmen.MausX, rahmen.MausY, 324, 444, 138, 168)) {
                kolonisieren(sys, s, eigenerSpieler, schiffe, kolonieschiff);
                kartenNeuzeichnen = 1;
                kolonieschiff = 0;
                klick(rahmen);
            }
        }
        const int basen[5] = {sys.einwohnerBasis(s), sys.versorgungBasis(s), sys.forschungBasis(s), sys.handelBasis(s),
                              sys.werftBasis(s)};
        for (int k = 0; k < 5; ++k) {
            const int y = 33 + 30 * k;
            rahmen.zeichne(rahmen.Oberflaechenbild(5), 446, y);
            filledBox(rahmen.screen(), 451, y + 5, balkenEnde(basen[k]), y + 24, kZeilen[k].hell);
            rahmen.text(455, y + 9, tr(kZeilen[k].wert, {{"wert", basen[k]}}));
        }
        rahmen.textMittig(512, 5, systemName(sys.name(s)));
        if (rahmen.Mausereignis == 2) {
            gewaehltesSystem = 0;
            kolonieschiff = 0;
            rahmen.Mausereignis = 0;
        }
    });
}

}  // namespace qz

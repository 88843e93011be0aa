#include "state/spielstand.hpp"

#include "gfx/text_numbers.hpp"
#include "platform/uebersetzung.hpp"

namespace qz {

Sternsysteme::Sternsysteme() { clearAll(); }

void Sternsysteme::clearAll()
{
    const int n = kSystemKapazitaet;
    for (Feld<int>* f : {&handelsposten, &angriff, &schild, &schildMax, &befestigung, &befestigungBasis,
                         &befestigungMax, &angegriffen, &entdecker, &besitzer, &typ, &einwohner, &einwohnerBasis,
                         &einwohnerMax, &versorgung, &versorgungBasis, &versorgungMax, &forschung, &forschungBasis,
                         &handel, &handelBasis, &handelMax, &werft, &werftBasis, &bauAuftraege})
        f->redim(1, n, 0);
    name.redim(1, n, "");
    pos.redim(1, n, 1, 2, 0);
    for (Feld2<int>* f : {&bauAufwand, &bauFortschritt, &bauTyp}) f->redim(1, n, 1, 3, 0);
}

int SchiffSatz::wert(Schiffsfeld f, int k) const { return textToInt(feld[f](k)); }

void SchiffSatz::setze(Schiffsfeld f, int k, long long value) { feld[f](k) = numberToText(value); }

void SchiffSatz::clear()
{
    for (auto& f : feld) f.redim(0, 0, "");
    anzahl = 0;
}

Spieler::Spieler()
{
    const int offsets[4][2] = {{0, 20}, {0, -20}, {-20, 0}, {20, 0}};
    for (int p = 1; p <= 4; ++p) {
        parkOffset(p, 1) = offsets[p - 1][0];
        parkOffset(p, 2) = offsets[p - 1][1];
    }
}

Forschung::Forschung() { reset(); }

void Forschung::reset()
{
    // Names in code page 437 ("\x84" is a-umlaut), German message ids that the screens translate;
    // the cost factor scales each level's price.
    static const struct { std::string_view name; int kosten; } kThemen[12] = {
        {trMark("Biosph\x84re Forschung"), 109},
        {trMark("Versorgung Verbessern"), 84},
        {trMark("Triebwerk Perfektion"), 152},
        {trMark("Medizin & Industrie"), 542},
        {trMark("Tiefenraumscanner"), 345},
        {trMark("Handelsmarkt"), 573},
        {trMark("Planetarer Schild"), 1025},
        {trMark("Verst\x84rkte Befestigung"), 950},
        {trMark("Schildenergie Perfektionieren"), 642},
        {trMark("Rumpf Verst\x84rken"), 621},
        {trMark("Schildaufladung verbessern"), 845},
        {trMark("Hangerreparatur verbessern"), 489},
    };
    for (int i = 1; i <= 12; ++i) thema(i) = ForschungsThema{0, std::string(kThemen[i - 1].name), 0, kThemen[i - 1].kosten, 0};
    aktiveThemen = 0;
}

Spielstand::Spielstand()
{
    for (int k = 1; k <= 14; ++k) {
        hintergrundGroesse(k, 1) = 1536;
        hintergrundGroesse(k, 2) = 832;
    }
    for (int p = 1; p <= 4; ++p) saetze(p).clear();
}

}  // namespace qz

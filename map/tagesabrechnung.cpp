#include "map/tagesabrechnung.hpp"

#include "systems/forschung.hpp"
#include "systems/handel.hpp"
#include "systems/schiffbau.hpp"
#include "state/schiffslisten.hpp"
#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"
#include "platform/errors.hpp"
#include "platform/takt.hpp"

namespace qz {

namespace {

// Division with the result rounded to the nearest integer, halves to even.
int geteilt(long long zaehler, int nenner) { return roundHalfEven(static_cast<double>(zaehler) / nenner); }

}  // namespace

void SUB_TAGESABRECHNUNG(Sternsysteme& s, int i, const Forschung& forschung, Wirtschaft& w)
{
    guarded([&] {
        const int L1 = forschung.thema(1).stufe, L2 = forschung.thema(2).stufe, L4 = forschung.thema(4).stufe;
        const int L6 = forschung.thema(6).stufe, L7 = forschung.thema(7).stufe, L8 = forschung.thema(8).stufe;

        switch (s.typ(i)) {
        case 5: case 6: case 12:
            s.einwohnerMax(i) = geteilt(L1, 20) + s.einwohnerBasis(i);
            s.versorgungMax(i) = geteilt(L2, 25) + s.versorgungBasis(i);
            break;
        case 4: case 9: case 16:
            s.einwohnerMax(i) = geteilt(L1, 10) + s.einwohnerBasis(i);
            s.versorgungMax(i) = geteilt(L2, 15) + s.versorgungBasis(i);
            break;
        default:
            s.einwohnerMax(i) = geteilt(L1, 2) + s.einwohnerBasis(i);
            s.versorgungMax(i) = L2 + s.versorgungBasis(i);
            break;
        }

        s.handelMax(i) = s.handelsposten(i) == -42 ? 2 * L6 + s.handelBasis(i) + 35 : s.handelBasis(i);

        // Growth may carry a value past its maximum; it is never cut back.
        const double g = L4 / 10.0;
        if (s.einwohner(i) < s.einwohnerMax(i)) s.einwohner(i) = roundHalfEven(s.einwohner(i) + g + 3);
        if (s.versorgung(i) < s.versorgungMax(i)) s.versorgung(i) = roundHalfEven(s.versorgung(i) + g + 2);
        if (s.forschung(i) < s.forschungBasis(i)) s.forschung(i) = roundHalfEven(s.forschung(i) + g + 1);
        if (s.handel(i) < s.handelMax(i)) s.handel(i) = roundHalfEven(s.handel(i) + g + 1);
        if (s.werft(i) < s.werftBasis(i)) s.werft(i) = roundHalfEven(s.werft(i) + g + 1);

        if (s.angegriffen(i) < 1) {
            s.schildMax(i) = 15 * L7;
            if (s.schild(i) < s.schildMax(i)) s.schild(i) += 15;
            if (s.schild(i) > s.schildMax(i)) s.schild(i) = s.schildMax(i);
            s.befestigungMax(i) = 12 * L8 + s.befestigungBasis(i);
            if (s.befestigung(i) < s.befestigungMax(i)) s.befestigung(i) += 10;
            if (s.befestigung(i) > s.befestigungMax(i)) s.befestigung(i) = s.befestigungMax(i);
        }

        // The sums of a large empire at high levels would pass the range of an int: they stop at the bound.
        auto plus = [](int& summe, long long wert) { summe = saettigen(summe + wert, kGeldGrenze); };
        plus(w.einnahmen, geteilt(L1, 2) + static_cast<long long>(s.einwohner(i)));
        plus(w.versorgungsertrag, static_cast<long long>(L2) + s.versorgung(i));
        plus(w.forschungsertrag, s.forschung(i));
        plus(w.forschungskosten, -static_cast<long long>(s.forschung(i)));
        plus(w.versorgungsverbrauch, -(static_cast<long long>(s.einwohner(i)) + L1));
    });
}

void tagesabschluss(Wirtschaft& w)
{
    // The products are taken in integers before the division.
    const long long netto = static_cast<long long>(w.einnahmen) + w.forschungskosten;
    w.forschungsausgaben = w.forschungsetat > 0 ? geteilt(netto * w.forschungsetat, 100) : 0;
    // Money and stock stop at their bound instead of turning over into the other sign.
    w.geld = saettigen(static_cast<long long>(w.geld) + w.einnahmen + w.forschungskosten - w.forschungsausgaben,
                       kGeldGrenze);
    w.vorrat = saettigen(static_cast<long long>(w.vorrat) + w.versorgungsertrag + w.versorgungsverbrauch, kGeldGrenze);
    w.forschungspunkte = saettigen(
        static_cast<long long>(geteilt(static_cast<long long>(w.forschungsausgaben) * 15, 100)) + w.forschungsertrag,
        kGeldGrenze);
}

void naechsterTagBeginnt(Wirtschaft& w, double jetzt) { faelligeSchritte(w.naechsterTag, jetzt, 5.0, 1); }

void tageswechsel(Spielstand& spiel, double jetzt)
{
    Wirtschaft& w = spiel.wirtschaft;
    Sternsysteme& s = spiel.systeme;
    Forschung& f = spiel.forschung;
    Kartenzustand& k = spiel.karte;

    // The working set holds what the screens changed since the last join (a step flown, a
    // colony ship used up, a fleet formed); it goes into the master lists before the day's new
    // ships are appended and everything is cut again, so none of it is lost at the day change.
    if (spiel.saetze(1).anzahl > 0) schiffeVerbinden(spiel.saetze(1), spiel.schiffe);

    w.einnahmen = 0;
    w.forschungskosten = 0;
    w.versorgungsertrag = 0;
    w.versorgungsverbrauch = 0;
    w.forschungsertrag = 0;

    for (int i = 1; i <= spiel.Sternanzahl; ++i) {
        if (s.handelsposten(i) > 0) w.einnahmen = saettigen(w.einnahmen + 20LL, kGeldGrenze);  // linked to a trading post
        if (s.besitzer(i) != spiel.eigenerSpieler) continue;
        SUB_TAGESABRECHNUNG(s, i, f, w);
        if (s.bauAuftraege(i) > 0)
            SUB_SCHIFFBAU(spiel.eigenerSpieler, s.besitzer(i), spiel.schiffe, s.werft(i), s.bauAufwand,
                          s.bauFortschritt, s.bauTyp, i, s.bauAuftraege(i));
    }

    naechsterTagBeginnt(w, jetzt);
    ++w.spieltag;
    tagesabschluss(w);

    for (int t = 1; t <= 12; ++t) {
        ForschungsThema& thema = f.thema(t);
        if (thema.aktiv == 1)
            SUB_FORSCHUNG(thema.aktiv, thema.stufe, thema.kosten, thema.fortschritt, f.aktiveThemen,
                          w.forschungspunkte, t, k.scanNeuzeichnen);
    }

    k.handelsliste.clear();
    SUB_HANDELSABKOMMEN_BERECHNUNG(spiel.eigenerSpieler, k.handelsliste, f.thema(5).stufe, f.thema(6).stufe,
                                   s.entdecker, s.besitzer, s.pos, s.handel, s.handelsposten, spiel.Sternanzahl,
                                   k.handelNeuzeichnen);

    schiffeSchneiden(spiel.schiffe, spiel.saetze(1));
    PRINTARRAY(k.handelsAnzahl, k.handelsliste, ",", k.handelsArray, 1);
}

}  // namespace qz

#include "state/spielstand_pruefung.hpp"

#include "state/planetentypen.hpp"

#include <string_view>

namespace qz {

namespace {

bool zwischen(long long v, long long min, long long max) { return v >= min && v <= max; }

// A decimal number as the game writes one ("-" and at most ten digits) within min..max.
bool zahlText(std::string_view t, long long min, long long max)
{
    std::size_t i = !t.empty() && t[0] == '-' ? 1 : 0;
    if (t.size() == i || t.size() - i > 10) return false;
    long long v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return false;
        v = v * 10 + (t[i] - '0');
    }
    return zwischen(t[0] == '-' ? -v : v, min, max);
}

// Every entry of a comma list ("," before each entry) is a number within min..max.
bool zahlenListe(std::string_view liste, long long min, long long max)
{
    if (liste.empty()) return true;
    if (liste[0] != ',') return false;
    for (std::size_t von = 1;;) {
        const std::size_t bis = liste.find(',', von);
        if (!zahlText(liste.substr(von, bis == std::string_view::npos ? std::string_view::npos : bis - von), min, max))
            return false;
        if (bis == std::string_view::npos) return true;
        von = bis + 1;
    }
}

struct Grenzen {
    int sterne, flotten, breite, hoehe;
};

// A ship's value in field f. A route holds direction digits only; everything else is a number.
bool schiffsWert(Schiffsfeld f, std::string_view t, const Grenzen& g)
{
    // Ships stop beside their system and may overshoot the map's edge by less than a screen.
    constexpr int kRand = 1024;
    switch (f) {
    case kTyp: return zahlText(t, 0, 8);
    case kAngedockt: case kOrt: case kZiel: return zahlText(t, 0, g.sterne);
    case kX: case kZielX: return zahlText(t, -kRand, g.breite + kRand);
    case kY: case kZielY: return zahlText(t, -kRand, g.hoehe + kRand);
    case kFlotte: return zahlText(t, 0, g.flotten);
    case kRoute: return t.find_first_not_of("0123456789") == std::string_view::npos;
    default: return zahlText(t, -kWertGrenze, kWertGrenze);
    }
}

// The master lists: "," before every ship's value, the same number of ships in all thirteen.
bool masterListen(const SchiffListen& listen, const Grenzen& g)
{
    long long schiffe = -1;
    for (int f = 0; f < kSchiffsfelder; ++f) {
        std::string_view liste = listen.liste[static_cast<std::size_t>(f)];
        if (!liste.empty() && liste[0] != ',') return false;
        long long n = 0;
        for (std::size_t von = 1; von <= liste.size() && !liste.empty(); ++n) {
            std::size_t bis = liste.find(',', von);
            if (bis == std::string_view::npos) bis = liste.size();
            if (!schiffsWert(static_cast<Schiffsfeld>(f), liste.substr(von, bis - von), g)) return false;
            von = bis + 1;
        }
        if (schiffe >= 0 && n != schiffe) return false;
        schiffe = n;
    }
    return true;
}

// The working set: every value of every ship in its field's range, none holding a separator.
bool arbeitssatz(const SchiffSatz& satz, const Grenzen& g)
{
    for (int f = 0; f < kSchiffsfelder; ++f) {
        const Feld<std::string>& feld = satz.feld[static_cast<std::size_t>(f)];
        for (int k = 1; k <= feld.hi(); ++k)
            if (k >= feld.lo() && !schiffsWert(static_cast<Schiffsfeld>(f), feld(k), g)) return false;
    }
    return true;
}

bool systeme(const Spielstand& spiel, const Grenzen& g)
{
    const Sternsysteme& s = spiel.systeme;
    for (int i = 1; i <= spiel.Sternanzahl; ++i) {
        for (const Feld<int>* f : {&s.angriff, &s.schild, &s.schildMax, &s.befestigung, &s.befestigungBasis,
                                   &s.befestigungMax, &s.angegriffen, &s.einwohner, &s.einwohnerBasis, &s.einwohnerMax,
                                   &s.versorgung, &s.versorgungBasis, &s.versorgungMax, &s.forschung, &s.forschungBasis,
                                   &s.handel, &s.handelBasis, &s.handelMax, &s.werft, &s.werftBasis})
            if (!zwischen((*f)(i), -kWertGrenze, kWertGrenze)) return false;
        const int posten = s.handelsposten(i);
        if (posten != -42 && !zwischen(posten, 0, g.sterne)) return false;
        if (!planetentypGueltig(s.typ(i)) || !zwischen(s.besitzer(i), 0, 4) || !zwischen(s.entdecker(i), 0, 4))
            return false;
        if (!zwischen(s.pos(i, 1), 0, g.breite) || !zwischen(s.pos(i, 2), 0, g.hoehe)) return false;
        if (!zwischen(s.bauAuftraege(i), 0, 3)) return false;
        for (int slot = 1; slot <= 3; ++slot)
            if (!zwischen(s.bauTyp(i, slot), 0, 8) || !zwischen(s.bauAufwand(i, slot), -kWertGrenze, kWertGrenze) ||
                !zwischen(s.bauFortschritt(i, slot), -kWertGrenze, kWertGrenze))
                return false;
    }
    return true;
}

bool forschungUndWirtschaft(const Spielstand& spiel)
{
    int aktiv = 0;
    for (int t = 1; t <= 12; ++t) {
        const ForschungsThema& thema = spiel.forschung.thema(t);
        if (!zwischen(thema.aktiv, 0, 1) || !zwischen(thema.stufe, 0, kStufeGrenze) || !zwischen(thema.fortschritt, -kGeldGrenze, kGeldGrenze))
            return false;
        aktiv += thema.aktiv;
    }
    if (aktiv != spiel.forschung.aktiveThemen) return false;
    const Wirtschaft& w = spiel.wirtschaft;
    for (int v : {w.geld, w.vorrat, w.einnahmen, w.forschungskosten, w.versorgungsertrag, w.versorgungsverbrauch,
                  w.forschungsertrag, w.forschungsausgaben, w.forschungspunkte})
        if (!zwischen(v, -kGeldGrenze, kGeldGrenze)) return false;
    for (int p = 1; p <= 4; ++p) {
        const Spieler& sp = spiel.spieler;
        if (!zwischen(sp.hoechsteFlotte(p), 0, kFlottenGrenze)) return false;
        if (!zwischen(sp.parkOffset(p, 1), -100, 100) || !zwischen(sp.parkOffset(p, 2), -100, 100)) return false;
        // A fleet moves one step per interval: none at all, or thousands per frame, is no game's pace.
        if (!(sp.bewegungsIntervall(p) >= 0.001 && sp.bewegungsIntervall(p) <= 60.0)) return false;
    }
    return true;
}

bool karte(const Spielstand& spiel, const Grenzen& g)
{
    const Kartenzustand& k = spiel.karte;
    const int schiffe = spiel.saetze(1).anzahl;
    if (!zahlenListe(k.handelsliste, 1, g.sterne)) return false;
    for (int j = 1; j <= k.handelsAnzahl; ++j)
        if (!zahlText(k.handelsArray(j), 1, g.sterne)) return false;
    const Routenauftrag& a = k.routenauftrag;
    if (!zwischen(a.flotte, 0, g.flotten) || !schiffsWert(kX, std::to_string(a.x), g) ||
        !schiffsWert(kY, std::to_string(a.y), g) || !schiffsWert(kX, std::to_string(a.zielX), g) ||
        !schiffsWert(kY, std::to_string(a.zielY), g) || !schiffsWert(kRoute, a.route, g))
        return false;
    for (int f : {k.gewaehlteFlotte, k.abdockFlotte, k.hangarFlotte})
        if (!zwischen(f, 0, g.flotten)) return false;
    for (int schiff : {k.gewaehltesSchiff, k.kolonieschiff, k.angriffsschiff, k.hangarSchiff})
        if (!zwischen(schiff, 0, schiffe)) return false;
    for (int t = 1; t <= 8; ++t)
        if (!zwischen(k.gewaehlteTypen(t), 0, kWertGrenze)) return false;
    if (!zahlenListe(k.angriffsziel, 1, g.sterne) || !zahlenListe(k.angriffsschaden, -kWertGrenze, kWertGrenze))
        return false;
    return zwischen(k.systemTab, 1, 5) && zwischen(k.forschungsKategorie, 1, 3) && zwischen(k.katalogOffen, 0, 1) &&
           zwischen(k.hangarSeite, 1, kWertGrenze) && zwischen(k.flottenSeite, 1, kWertGrenze);
}

}  // namespace

bool spielstandMoeglich(const Spielstand& spiel)
{
    if (!zwischen(spiel.eigenerSpieler, 1, 4) || !zwischen(spiel.hintergrund, 1, 13)) return false;
    const Kartenzustand& k = spiel.karte;
    // The map is the background's scroll range plus one screen, as every new game makes it.
    if (k.kartenBreite != spiel.hintergrundGroesse(spiel.hintergrund, 1) + 1024 ||
        k.kartenHoehe != spiel.hintergrundGroesse(spiel.hintergrund, 2) + 768)
        return false;
    const Grenzen g{spiel.Sternanzahl, spiel.spieler.hoechsteFlotte(spiel.eigenerSpieler), k.kartenBreite,
                    k.kartenHoehe};
    return systeme(spiel, g) && forschungUndWirtschaft(spiel) && masterListen(spiel.schiffe, g) &&
           arbeitssatz(spiel.saetze(1), g) && karte(spiel, g);
}

}  // namespace qz

namespace qz {

bool zahlImBereich(std::string_view text, long long min, long long max) { return zahlText(text, min, max); }

bool schiffslistenMoeglich(const SchiffListen& listen, int Sternanzahl, int hoechsteFlotte, int kartenBreite,
                           int kartenHoehe)
{
    return masterListen(listen, Grenzen{Sternanzahl, hoechsteFlotte, kartenBreite, kartenHoehe});
}

}  // namespace qz

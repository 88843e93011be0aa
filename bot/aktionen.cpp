#include "bot/aktionen.hpp"

#include "fleets/andocken.hpp"
#include "fleets/flotten.hpp"
#include "fleets/flotten_bewegung.hpp"
#include "systems/schiffbau.hpp"
#include "systems/schiffswert.hpp"
#include "systems/sternsystem_bildschirm.hpp"

#include <algorithm>

namespace qz {

namespace {

bool eigenesSystem(const Spielstand& spiel, int s)
{
    return s >= 1 && s <= spiel.Sternanzahl && spiel.systeme.besitzer(s) == spiel.eigenerSpieler;
}

// A visit screen opens for a system the player reached first and does not own.
bool besuchbar(const Spielstand& spiel, int s)
{
    return s >= 1 && s <= spiel.Sternanzahl && spiel.systeme.besitzer(s) != spiel.eigenerSpieler &&
           spiel.systeme.entdecker(s) == spiel.eigenerSpieler;
}

bool irgendeinEigenesSystem(const Spielstand& spiel)
{
    for (int s = 1; s <= spiel.Sternanzahl; ++s)
        if (eigenesSystem(spiel, s)) return true;
    return false;
}

// The first ship of a type standing still in space at system s (what the visit screen finds).
int stehendesSchiff(const SchiffSatz& satz, int typ, int s)
{
    for (int i = 1; i <= satz.anzahl; ++i)
        if (schiffWert(satz, kAngedockt, i) == 0 && schiffWert(satz, kTyp, i) == typ &&
            schiffWert(satz, kOrt, i) == s && stehtStill(satz, i))
            return i;
    return 0;
}

int vertreterVon(const Spielstand& spiel, int flotte)
{
    const SchiffSatz& satz = spiel.saetze(spiel.eigenerSpieler);
    const int anzahlFlotten = std::max(1, spiel.spieler.hoechsteFlotte(spiel.eigenerSpieler));
    if (flotte < 1 || flotte > anzahlFlotten) return 0;
    return flottenVertreter(satz, satz.anzahl, anzahlFlotten)[static_cast<std::size_t>(flotte)];
}

struct Ausfuehrung {
    Spielstand& spiel;
    Mehrspieler& mp;
    Haende& haende;

    int eigen() const { return spiel.eigenerSpieler; }
    SchiffSatz& satz() { return spiel.saetze(eigen()); }

    bool operator()(const EtatSetzen& e)
    {
        if (!irgendeinEigenesSystem(spiel)) return false;
        // The arrows change the budget in steps of 5 within 0..100.
        spiel.wirtschaft.forschungsetat = std::clamp(e.prozent / 5 * 5, 0, 100);
        return true;
    }
    bool operator()(const ThemaSchalten& e)
    {
        if (!irgendeinEigenesSystem(spiel) || e.thema < 1 || e.thema > 12) return false;
        ForschungsThema& t = spiel.forschung.thema(e.thema);
        if ((t.aktiv == 1) == e.an) return false;
        t.aktiv = e.an ? 1 : 0;
        spiel.forschung.aktiveThemen += e.an ? 1 : -1;
        return true;
    }
    bool operator()(const SchiffBauen& e)
    {
        if (!eigenesSystem(spiel, e.system)) return false;
        Sternsysteme& s = spiel.systeme;
        return bauauftragErteilen(e.typ, e.system, s.einwohner(e.system), spiel.wirtschaft.geld, s.bauAufwand,
                                  s.bauTyp, s.bauAuftraege(e.system));
    }
    bool operator()(const FlotteBilden& e)
    {
        if (!eigenesSystem(spiel, e.system) || e.schiffe.empty()) return false;
        SchiffSatz& s = satz();
        auto imHangar = [&](int i) {
            return i >= 1 && i <= s.anzahl && schiffWert(s, kAngedockt, i) == e.system && schiffWert(s, kTyp, i) > 0;
        };
        const int erstes = e.schiffe.front();
        if (!imHangar(erstes)) return false;
        // A click on a ship of a fleet selects that fleet; on a ship without one, "Flotte
        // erstellen" makes a new fleet of it. Each further ship clicked joins the selected fleet.
        int flotte = schiffWert(s, kFlotte, erstes);
        if (flotte < 1) {
            int& hoechste = spiel.spieler.hoechsteFlotte(eigen());
            flotte = ++hoechste;
            setzeSchiffWert(s, kFlotte, erstes, flotte);
        }
        for (int i : e.schiffe)
            if (i != erstes && imHangar(i)) setzeSchiffWert(s, kFlotte, i, flotte);
        if (std::find(haende.abzudocken.begin(), haende.abzudocken.end(), flotte) == haende.abzudocken.end())
            haende.abzudocken.push_back(flotte);
        return true;
    }
    bool operator()(const FlotteSenden& e)
    {
        const int g = vertreterVon(spiel, e.flotte);
        if (g == 0 || e.ziel < 1 || e.ziel > spiel.Sternanzahl || !stehtStill(satz(), g)) return false;
        const int reichweite = flugReichweite(spiel.forschung.thema(3).stufe);
        if (!zielInReichweite(satz(), g, spiel.systeme, e.ziel, reichweite)) return false;
        flotteSenden(satz(), satz().anzahl, spiel.systeme, spiel.spieler, eigen(), e.flotte, g, e.ziel);
        return true;
    }
    bool operator()(const FlotteAndocken& e)
    {
        const int g = vertreterVon(spiel, e.flotte);
        if (g == 0) return false;
        const int ort = schiffWert(satz(), kOrt, g);
        if (!eigenesSystem(spiel, ort) || !stehtStill(satz(), g)) return false;
        flotteAndocken(satz(), satz().anzahl, g, ort);
        return true;
    }
    bool operator()(const Kolonisieren& e)
    {
        if (!besuchbar(spiel, e.system) || spiel.systeme.besitzer(e.system) != 0) return false;
        const int schiff = stehendesSchiff(satz(), 1, e.system);
        if (schiff == 0) return false;
        kolonisieren(spiel.systeme, e.system, eigen(), satz(), schiff);
        mp.kartenNeuzeichnen = 1;
        mp.senden.kolonisation = e.system;
        spiel.karte.scanNeuzeichnen = 1;
        return true;
    }
    bool operator()(const HandelspostenErrichten& e)
    {
        Sternsysteme& s = spiel.systeme;
        if (!eigenesSystem(spiel, e.system) || s.typ(e.system) == 42 || s.handelsposten(e.system) < 0) return false;
        s.handelsposten(e.system) = -42;
        return true;
    }
    // The trade buttons are on the visit screen of a co-player's system without a battleship of
    // ours standing there.
    bool handelsschirm(int spieler)
    {
        if (spieler < 1 || spieler > spiel.Spieleranzahl || spieler == eigen()) return false;
        for (int s = 1; s <= spiel.Sternanzahl; ++s)
            if (besuchbar(spiel, s) && spiel.systeme.besitzer(s) == spieler && stehendesSchiff(satz(), 7, s) == 0)
                return true;
        return false;
    }
    bool operator()(const HandelAnbieten& e)
    {
        if (!handelsschirm(e.spieler) || mp.senden.abkommenStand(e.spieler) >= 1) return false;
        mp.senden.abkommenAnfrage(e.spieler) = 1;
        return true;
    }
    bool operator()(const HandelAbbrechen& e)
    {
        if (!handelsschirm(e.spieler) || mp.senden.abkommenStand(e.spieler) < 1) return false;
        mp.senden.abkommenAnfrage(e.spieler) = 3;
        return true;
    }
    bool operator()(const Angreifen& e)
    {
        if (!besuchbar(spiel, e.system) || spiel.systeme.besitzer(e.system) < 1) return false;
        if (stehendesSchiff(satz(), 7, e.system) == 0) return false;
        spiel.systeme.angriff(e.system) = e.an ? 1 : 0;
        return true;
    }
};

}  // namespace

bool ausfuehren(const Entscheidung& entscheidung, Spielstand& spiel, Mehrspieler& mp, Haende& haende)
{
    return std::visit(Ausfuehrung{spiel, mp, haende}, entscheidung);
}

void abdockenAnfordern(Spielstand& spiel, Haende& haende)
{
    if (spiel.karte.abdockFlotte != 0 || haende.abzudocken.empty()) return;
    spiel.karte.abdockFlotte = haende.abzudocken.front();
    haende.abzudocken.pop_front();
}

}  // namespace qz

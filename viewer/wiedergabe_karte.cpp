#include "viewer/wiedergabe_karte.hpp"

#include "gfx/widgets.hpp"
#include "state/spielerfarben.hpp"

#include <algorithm>

namespace qz {

namespace {

// Where each recorded ship list goes in the working set; the targets and their points are not
// recorded and stay empty.
constexpr std::pair<replay::ShipField, Schiffsfeld> kListen[] = {
    {replay::type, kTyp},   {replay::hull, kHuelle},     {replay::shield, kSchild},
    {replay::docked, kAngedockt}, {replay::location, kOrt}, {replay::route, kRoute},
    {replay::fleet, kFlotte}, {replay::x, kX},             {replay::y, kY},
    {replay::firepower, kFeuerkraft},
};

void schiffeUebernehmen(const replay::Seat& sitz, SchiffSatz& satz)
{
    satz.clear();
    // A ship counts only where every list has it: a list cut short by a damaged game must not
    // send the drawing past its end.
    int anzahl = -1;
    for (const auto& [quelle, ziel] : kListen) {
        const int n = STRINGSPLIT(sitz.texts[quelle], ",", satz[ziel]);
        anzahl = anzahl < 0 ? n : std::min(anzahl, n);
    }
    satz.anzahl = std::max(anzahl, 0);
}

}  // namespace

void karteUebernehmen(const replay::ReplayState& zustand, Spielstand& spiel)
{
    Sternsysteme& s = spiel.systeme;
    spiel.Sternanzahl = static_cast<int>(std::min<std::size_t>(zustand.systems.size(), kSystemKapazitaet));
    for (int i = 1; i <= spiel.Sternanzahl; ++i) {
        const replay::StarSystem& q = zustand.systems[static_cast<std::size_t>(i - 1)];
        s.name(i) = q.name;
        s.pos(i, 1) = q.x;
        s.pos(i, 2) = q.y;
        s.typ(i) = q.type;
        s.besitzer(i) = q.owner;
        s.schild(i) = q.shield;
        s.befestigung(i) = q.fortification;
        s.angegriffen(i) = q.attacked;
    }
    spiel.Spieleranzahl = replay::kSeats;
    for (int p = 1; p <= replay::kSeats; ++p) {
        const replay::Seat& sitz = zustand.seats[static_cast<std::size_t>(p - 1)];
        Feld2<int>& farbe = spiel.spieler.spielerFarbe;
        const bool gueltig = sitz.colour >= 1 && sitz.colour <= 8;
        farbe(p, 0) = gueltig ? sitz.colour : 0;
        const Spielerfarbe f = gueltig ? spielerfarbe(sitz.colour) : Spielerfarbe{128, 128, 128};
        farbe(p, 1) = f.rot;
        farbe(p, 2) = f.gruen;
        farbe(p, 3) = f.blau;
        schiffeUebernehmen(sitz, spiel.saetze(p));
    }
}

Farbe sitzFarbe(const Spielstand& spiel, int p)
{
    const Feld2<int>& f = spiel.spieler.spielerFarbe;
    return rgb(f(p, 1), f(p, 2), f(p, 3));
}

}  // namespace qz

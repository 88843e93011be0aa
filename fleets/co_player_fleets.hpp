// The other players' fleets on the local map: each client moves them itself between the
// server's updates, along the route digits they arrived with, and draws a fleet only where the
// local player can see it.
#pragma once

#include "frame/rahmen.hpp"
#include "state/spielstand.hpp"

#include <unordered_set>

namespace qz {

// Sight range around an own system for a level of "Tiefenraumscanner".
inline int sichtweite(int scannerStufe) { return 5 * scannerStufe + 40; }

// Calls `tun` with the first ship in space of each of the player's fleets, in list order.
template <typename Satz, typename Tun>
void jedeFlotte(Satz& satz, Tun&& tun)
{
    // The representatives are found by fleet number as met, not in a table sized by the
    // reported highest fleet number: a co-player's huge number must not cost memory.
    std::unordered_set<int> vertreten;
    for (int i = 1; i <= satz.anzahl; ++i) {
        if (satz.wert(kAngedockt, i) != 0) continue;
        // A type without a picture is skipped, as the own fleet pass does: drawing it would end
        // the pass for every co-player behind it, every frame.
        const int typ = satz.wert(kTyp, i);
        if (typ < 1 || typ > 8) continue;
        if (!vertreten.insert(satz.wert(kFlotte, i)).second) continue;
        tun(i, typ);
    }
}

// True when a foreign fleet whose icon's top-left corner is (x, y) and that stands at `ort`
// can be seen: strictly inside the sight range of an own system, or at a system (not own)
// where one of the local player's ships stands too. The first system that decides wins.
bool mitspielerSichtbar(const Sternsysteme& systeme, int Sternanzahl, int eigenerSpieler, int scannerStufe,
                        const SchiffSatz& eigeneSchiffe, int x, int y, int ort);

// The movement tick of every other player's fleets on its own clock: one route digit, or the
// arrival, for the first ship in space of each fleet.
void mitspielerFlottenBewegen(Feld<SchiffSatz>& saetze, Spieler& spieler, Feld<double>& naechsterFlugschritt,
                              int eigenerSpieler, int Spieleranzahl, double jetzt);

// Once per frame, after the own fleets: moves and draws the fleets of every player other than
// eigenerSpieler, each player on its own movement clock (naechsterFlugschritt per slot).
void SUB_FLOTTEN_MITSPIELER(Rahmen& rahmen, Feld<SchiffSatz>& saetze, Spieler& spieler,
                            Feld<double>& naechsterFlugschritt, const Sternsysteme& systeme, int eigenerSpieler,
                            int Spieleranzahl, int scrollX, int scrollY, int scannerStufe, int Sternanzahl);

}  // namespace qz

// Constructed situations for the decision tests: a view with systems placed by hand, own ships
// docked or standing, and foreign fleets in sight.
#pragma once

#include "bot/strategy/lage.hpp"
#include "state/planetentypen.hpp"
#include "bot/strategy/entscheidungen.hpp"
#include "systems/schiffstypen.hpp"

#include <variant>

namespace qz::test {

struct LageBauen {
    Lage lage;

    LageBauen()
    {
        lage.eigenerSpieler = 1;
        lage.spieleranzahl = 2;
        lage.parkX = 0;
        lage.parkY = 20;
        lage.geld = 2000;
        lage.zeit = 1000.0;
    }
    // System s (numbered in order of adding) at (x, y); owner and type known when discovered.
    LageSystem& system(int x, int y, int besitzer = 0, int typ = 0, int einwohnerBasis = 0, bool entdeckt = true)
    {
        LageSystem s;
        s.nummer = static_cast<int>(lage.systeme.size()) + 1;
        s.x = x;
        s.y = y;
        s.eigen = besitzer == lage.eigenerSpieler;
        s.entdeckt = entdeckt || s.eigen;
        s.besitzer = s.entdeckt ? besitzer : 0;
        s.typ = typ;
        s.einwohnerBasis = einwohnerBasis;
        s.einwohner = s.eigen ? einwohnerBasis : 0;
        lage.systeme.push_back(s);
        return lage.systeme.back();
    }
    // A ship of the type with the type's values; docked at `dock`, or standing in `flotte` at `ort`.
    LageSchiff& schiff(int typ, int dock, int ort = 0, int flotte = 0)
    {
        const Schiffstyp& t = schiffstyp(typ);
        LageSchiff s;
        s.nummer = static_cast<int>(lage.schiffe.size()) + 1;
        s.typ = typ;
        s.huelle = t.huelle;
        s.schild = t.schild;
        s.feuerkraft = t.feuerkraft;
        s.angedockt = dock;
        s.ort = ort;
        s.ziel = ort;
        s.flotte = flotte;
        s.stehtStill = true;
        if (ort > 0) {
            s.x = lage.system(ort).x + lage.parkX - 16;
            s.y = lage.system(ort).y + lage.parkY - 16;
        }
        lage.schiffe.push_back(s);
        return lage.schiffe.back();
    }
    // n ships of a type standing in one fleet at ort.
    void flotte(int typ, int n, int ort, int flotte)
    {
        for (int k = 0; k < n; ++k) schiff(typ, 0, ort, flotte);
    }
    void fremdeFlotte(int spieler, int typ, int ort)
    {
        lage.fremdeFlotten.push_back({spieler, typ, lage.system(ort).x - 16, lage.system(ort).y - 36, ort});
    }
};

// The orders of one kind among a round's orders.
template <class T>
std::vector<T> nur(const std::vector<Entscheidung>& orders)
{
    std::vector<T> treffer;
    for (const Entscheidung& e : orders)
        if (const T* t = std::get_if<T>(&e)) treffer.push_back(*t);
    return treffer;
}

}  // namespace qz::test

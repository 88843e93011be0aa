// A busy running sandbox for the benchmarks: a fresh 200-system game with 500 ships in 60
// fleets in space around the view, every third fleet flying 400 pixels east, and fleet 1
// selected with its range circle.
#pragma once

#include "map/spielstart.hpp"
#include "state/schiffslisten.hpp"

namespace qz {

inline void belebteKarte(Rahmen& r, Spielstand& spiel, const Bildquellen& quellen)
{
    neuesSpielZuruecksetzen(r, spiel);
    spielStarten(r, spiel, quellen);
    spiel.scrollX = 700;
    spiel.scrollY = 400;
    std::array<long long, kSchiffsfelder> w{};
    for (int k = 0; k < 500; ++k) {
        const int f = 1 + k % 60;
        w[kTyp] = 1 + k % 8;
        w[kHuelle] = 500;
        w[kSchild] = 100;
        w[kOrt] = f % 3 == 0 ? 0 : f;
        w[kZiel] = f;
        w[kX] = 700 + (f * 97) % 1000;
        w[kY] = 400 + (f * 53) % 700;
        w[kZielX] = w[kX] + (f % 3 == 0 ? 400 : 0);
        w[kZielY] = w[kY];
        w[kFlotte] = f;
        schiffAnhaengen(spiel.schiffe, w);
    }
    schiffeSchneiden(spiel.schiffe, spiel.saetze(1));
    for (int k = 1; k <= 60; ++k)
        if (k % 3 == 0) spiel.saetze(1)[kRoute](k) = std::string(400, '2') + "9";
    schiffeVerbinden(spiel.saetze(1), spiel.schiffe);
    spiel.spieler.hoechsteFlotte(1) = 60;
    spiel.karte.gewaehlteFlotte = 1;
    spiel.karte.gewaehltesSchiff = 1;
}

}  // namespace qz

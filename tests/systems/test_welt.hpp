// A small world for the routine tests: the headless platform, a frame with every picture table
// filled by plain stand-in pictures of the sizes the hit boxes give, the game state, and helpers
// to put ships into the master lists and cut them into working set 1.
#pragma once

#include "frame/rahmen.hpp"
#include "state/schiffslisten.hpp"
#include "state/spielstand.hpp"
#include "platform/headless/headless_platform.hpp"

#include <array>
#include <string>

namespace qz::testwelt {

struct Schiffsdaten {
    int typ = 2;
    int huelle = 500;
    int schild = 150;
    int angedockt = 0;
    int ort = 0;
    int ziel = 0;
    int x = 0;
    int y = 0;
    int zielX = 0;
    int zielY = 0;
    int feuerkraft = 40;
    int flotte = 0;
    std::string route = "0";
};

inline ImagePtr standbild(int w, int h, Farbe fuellung) { return imageCreate(w, h, fuellung); }

struct Welt {
    HeadlessPlatform platform;
    Rahmen rahmen{platform};
    Spielstand spiel;

    Welt()
    {
        platform.screenOpen(1024, 768, 32);
        for (int k = 1; k <= 23; ++k) rahmen.Oberflaechenbild(k) = standbild(20, 20, rgb(40, 40, 40 + k));
        rahmen.Oberflaechenbild(1) = standbild(400, 470, rgb(20, 20, 30));
        rahmen.Oberflaechenbild(2) = standbild(400, 300, rgb(25, 25, 35));
        rahmen.Oberflaechenbild(23) = standbild(147, 200, rgb(200, 200, 200));
        for (int k = 1; k <= 18; ++k) rahmen.Planetenbild(k) = standbild(100, 100, rgb(10 * k, 50, 50));
        for (int p = 1; p <= 4; ++p)
            for (int t = 1; t <= 8; ++t) rahmen.Schiffbild(p, t) = standbild(32, 32, rgb(200, 10 * t, 20 * p));
        spiel.eigenerSpieler = 1;
        spiel.Spieleranzahl = 1;
        spiel.Sternanzahl = 10;
    }

    SchiffSatz& satz() { return spiel.saetze(1); }

    // Appends a ship to the master lists and cuts them into working set 1 again.
    int neuesSchiff(const Schiffsdaten& d)
    {
        std::array<long long, kSchiffsfelder> w{};
        w[kTyp] = d.typ;
        w[kHuelle] = d.huelle;
        w[kSchild] = d.schild;
        w[kAngedockt] = d.angedockt;
        w[kOrt] = d.ort;
        w[kZiel] = d.ziel;
        w[kX] = d.x;
        w[kY] = d.y;
        w[kZielX] = d.zielX;
        w[kZielY] = d.zielY;
        w[kFeuerkraft] = d.feuerkraft;
        w[kFlotte] = d.flotte;
        schiffAnhaengen(spiel.schiffe, w);
        schiffeSchneiden(spiel.schiffe, satz());
        satz()[kRoute](satz().anzahl) = d.route;
        schiffeVerbinden(satz(), spiel.schiffe);
        return satz().anzahl;
    }

    // A system at (x, y) with an owner and the given bases.
    void system(int s, int x, int y, int besitzer = 0, int entdecker = 0)
    {
        spiel.systeme.pos(s, 1) = x;
        spiel.systeme.pos(s, 2) = y;
        spiel.systeme.besitzer(s) = besitzer;
        spiel.systeme.entdecker(s) = entdecker;
        spiel.systeme.typ(s) = 1;
        spiel.systeme.name(s) = "Planet X" + std::to_string(s);
    }

    int wert(Schiffsfeld f, int k) { return satz().wert(f, k); }

    Farbe pixel(int x, int y) { return rahmen.screen().row(y)[x] | 0xFF000000u; }

    // A completed left click at (x, y) as the main loop reports it.
    void linksklick(int x, int y)
    {
        rahmen.MausX = x;
        rahmen.MausY = y;
        platform.moveMouse(x, y);
        rahmen.Mausereignis = 1;
    }
    void rechtsklick()
    {
        rahmen.Mausereignis = 2;
    }
    int klicks()
    {
        int n = 0;
        for (const auto& c : platform.recordedSound().calls) n += c.what == "play";
        return n;
    }
};

}  // namespace qz::testwelt

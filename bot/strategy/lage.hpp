// What a computer player knows: exactly what the player's own screens show, nothing more.
// Every system's position; type, base values and owner only of systems the player discovered
// itself; everything about its own systems, ships, money and research; foreign fleets only
// where the scanner or an own ship standing beside them makes them visible, and of those only
// the first ship's picture and position; the trade agreements; and where its own ships fight,
// with what they lost. Built fresh before each decision, never changed by it.
#pragma once

#include "state/spielstand.hpp"

#include <array>
#include <vector>

namespace qz {

struct LageSystem {
    int nummer = 0;
    int x = 0, y = 0;
    bool eigen = false;
    bool entdeckt = false;  // own discovery: type, bases and owner are shown
    int besitzer = 0;       // 0: nobody, or not known (not discovered)
    int typ = 0;
    int einwohnerBasis = 0, versorgungBasis = 0, forschungBasis = 0, handelBasis = 0, werftBasis = 0;
    int befestigungBasis = 0;

    // Own systems only (the system screens show them); 0 elsewhere.
    int einwohner = 0, forschung = 0, handel = 0, werft = 0;
    int schild = 0, befestigung = 0, befestigungMax = 0;
    int angegriffen = 0;
    int handelsposten = 0;               // -42 trading post, k > 0 linked to post k
    std::array<int, 3> bauTyp{};         // the three queue slots, 0 = free
    int bauAuftraege = 0;
};

struct LageSchiff {
    int nummer = 0;  // number in the own ship set when the view was built
    int typ = 0;
    int huelle = 0, schild = 0, feuerkraft = 0;
    int angedockt = 0;  // system of the hangar, 0 in space
    int ort = 0;        // system where it stands, 0 in flight
    int ziel = 0;
    int x = 0, y = 0;   // icon's top-left corner
    int flotte = 0;
    bool stehtStill = false;
};

// A foreign fleet the player can see: only its first ship's picture and position.
struct FremdeFlotte {
    int spieler = 0;
    int typ = 0;
    int x = 0, y = 0;
    int ort = 0;
};

// What the own ships standing in space at a system lost in one exchange: the trace a battle
// leaves on the player's own screens (the hull of each own ship), and all it tells of the enemy.
struct Verlust {
    int system = 0;
    int schiffe = 0;    // own ships standing there before the exchange
    int verloren = 0;   // of them destroyed
    int huelle = 0;     // hull lost, the last hull of destroyed ships included
    int schildMin = 0;  // the weakest shield maximum among them
};

// A battle as the player sees it: a foreign player's fleet stands beside own ships in space at
// a system (the map shows its first ship's picture, nothing of its size), and the enemy
// firepower the own losses there prove, shared among the players standing there (0 while the
// own ships lost nothing). Each round every own ship takes the enemies' firepower divided by
// the own ship count, less its shield: a hull loss H over n ships with weakest shield S proves
// at least H + n x S.
struct Gefecht {
    int system = 0;
    int spieler = 0;
    int typ = 0;         // the picture of its first ship
    int feuerkraft = 0;  // proven at least
};

struct LageThema {
    int stufe = 0;
    int fortschritt = 0;
    int kosten = 0;
    bool aktiv = false;
};

struct Lage {
    int eigenerSpieler = 0;
    int spieleranzahl = 0;
    int tag = 0;          // game days settled
    double zeit = 0.0;    // seconds of play, the clock the reaction delays are counted on
    int geld = 0;
    int forschungsetat = 0;
    int parkX = 0, parkY = 0;  // where the own fleets stop beside a system
    std::array<LageThema, 13> forschung{};  // topics 1..12, [0] unused
    std::vector<LageSystem> systeme;        // system s at [s - 1]
    std::vector<LageSchiff> schiffe;
    std::vector<FremdeFlotte> fremdeFlotten;
    std::array<int, 5> abkommen{};          // per slot 1..4: 0 none, 1 offered, 2 in force
    std::vector<Gefecht> gefechte;

    const LageSystem& system(int s) const { return systeme.at(static_cast<std::size_t>(s - 1)); }
    int stufe(int thema) const { return forschung.at(static_cast<std::size_t>(thema)).stufe; }
    int reichweite() const;   // a fleet's hop: 5 x "Triebwerk Perfektion" + 100
    int sichtweite() const;   // the scanner: 5 x "Tiefenraumscanner" + 40
    // Rounded distance from the parking point of the own fleets at system a to the centre of b:
    // the figure the destination choice compares with the range.
    int hopDistanz(int a, int b) const;
    bool inReichweite(int a, int b) const { return hopDistanz(a, b) < reichweite(); }
};

// Rounded centre distance between two points, halves to even, as the rules measure.
int distanz(int x1, int y1, int x2, int y2);

// Builds the view of player spiel.eigenerSpieler from the game state: the own ship set is
// spiel.saetze(eigen), the other sets are filtered through the sight rule; `abkommen` is the
// stored agreement value per slot (the exchange keeps it); `zeit` the seconds of play;
// `verluste` what the own ships lost in the last exchange. A battle is wherever a visible
// foreign fleet stands beside own ships in space.
Lage lageErfassen(const Spielstand& spiel, const Feld<int>& abkommen, double zeit,
                  const std::vector<Verlust>& verluste = {});

}  // namespace qz

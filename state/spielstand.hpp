// The whole game state: star systems, ship lists, player slots, research, economy and the
// map/screen state. It is plain data owned by the main program and passed by reference; the
// parallel arrays of one concept are grouped in one struct whose members carry the fields'
// names, and every index is checked. A field added here belongs in the save file as well
// (state/spielstand_datei.cpp, as a new version of the file).
#pragma once

#include "platform/feld.hpp"
#include "platform/image.hpp"

#include <array>
#include <string>

namespace qz {

constexpr int kSystemKapazitaet = 500;

// Bounds no game passes in play. A save beyond them was not written by the game, and the running
// game stops at them instead of overflowing.
constexpr int kGeldGrenze = 2'000'000'000;  // money, the supply stock and the daily sums, either sign
constexpr int kStufeGrenze = 1'000'000;     // a research level
constexpr int kFlottenGrenze = 100'000;     // the highest fleet number
constexpr int kWertGrenze = 100'000'000;    // a value of a system or a ship, either sign

// v held within -grenze..grenze.
inline int saettigen(long long v, int grenze) { return static_cast<int>(v < -grenze ? -grenze : v > grenze ? grenze : v); }

// One Sternsystem is the set of values with one index 1..Sternanzahl in these arrays.
struct Sternsysteme {
    Sternsysteme();
    void clearAll();  // every entry 1..500 back to its start value

    Feld<int> handelsposten, angriff;
    Feld<std::string> name;
    Feld<int> schild, schildMax, befestigung, befestigungBasis, befestigungMax, angegriffen, entdecker;
    Feld2<int> pos;  // (i, 1) = x, (i, 2) = y
    Feld<int> besitzer, typ;
    Feld<int> einwohner, einwohnerBasis, einwohnerMax;
    Feld<int> versorgung, versorgungBasis, versorgungMax;
    Feld<int> forschung, forschungBasis;
    Feld<int> handel, handelBasis, handelMax;
    Feld<int> werft, werftBasis;
    Feld2<int> bauAufwand, bauFortschritt, bauTyp;  // (i, slot 1..3)
    Feld<int> bauAuftraege;
};

// The thirteen ship attributes, in the order the lists are always handled and sent.
enum Schiffsfeld : int {
    kTyp, kHuelle, kSchild, kAngedockt, kOrt, kZiel, kX, kY, kZielX, kZielY, kFeuerkraft, kFlotte, kRoute,
    kSchiffsfelder
};

// Master lists: for every ship "," + value; the empty text means no ships.
struct SchiffListen {
    std::array<std::string, kSchiffsfelder> liste;
    std::string& operator[](Schiffsfeld f) { return liste[f]; }
    const std::string& operator[](Schiffsfeld f) const { return liste[f]; }
    void clear() { for (auto& l : liste) l.clear(); }
};

// A working set: the lists cut into arrays, element 0 the empty piece, ships at 1..anzahl.
struct SchiffSatz {
    std::array<Feld<std::string>, kSchiffsfelder> feld;
    int anzahl = 0;

    Feld<std::string>& operator[](Schiffsfeld f) { return feld[f]; }
    const Feld<std::string>& operator[](Schiffsfeld f) const { return feld[f]; }
    int wert(Schiffsfeld f, int k) const;               // text-to-number of ship k's value
    void setze(Schiffsfeld f, int k, long long value);  // ship k's value as decimal text
    void clear();
};

struct Spieler {
    Spieler();
    Feld2<int> spielerFarbe{1, 4, 0, 3};    // (p, 0) colour index 1..8, (p, 1..3) red, green, blue
    Feld2<int> parkOffset{1, 4, 1, 2};      // where the player's fleets stop next to a system
    Feld<double> bewegungsIntervall{1, 4, 0.12};
    Feld<int> hoechsteFlotte{1, 4, 0};
};

struct ForschungsThema {
    int aktiv = 0;
    std::string name;
    int stufe = 0;
    int kosten = 0;
    int fortschritt = 0;
};

struct Forschung {
    Forschung();
    void reset();
    Feld<ForschungsThema> thema{1, 12};
    int aktiveThemen = 0;  // number of topics with aktiv = 1
};

struct Wirtschaft {
    int geld = 2000;
    int vorrat = 500;
    double naechsterTag = 0.0;
    int einnahmen = 0;
    int forschungskosten = 0;
    int versorgungsertrag = 0;
    int versorgungsverbrauch = 0;
    int forschungsertrag = 0;
    int forschungsetat = 0;
    int forschungsausgaben = 0;
    int forschungspunkte = 0;
    int spieltag = 0;  // days settled since the game began
};

// One route request slot shared by the game loop and the route computation: one route is
// computed at a time, one step per call, and handed to the fleet when it is complete.
struct Routenauftrag {
    int status = 0;       // 0 idle, 1 requested, 2 route complete
    int flotte = 0;       // fleet whose route is being computed
    int x = 0, y = 0;     // current point (top-left corner of the representative's icon)
    int zielX = 0, zielY = 0;
    std::string route;    // digits collected so far
};

// Map and screen state of a running game.
struct Kartenzustand {
    ImagePtr scanOverlay;
    int scanNeuzeichnen = 0;
    ImagePtr handelOverlay;
    int handelNeuzeichnen = 0;
    // The part of each overlay that holds anything but mask colour, in map pixels, set by
    // whoever draws the overlay: the frame blits only that part of the view.
    SourceRect scanInhalt{0, 0, 0, 0};
    SourceRect handelInhalt{0, 0, 0, 0};
    std::string handelsliste;
    Feld<std::string> handelsArray{0, 0};
    int handelsAnzahl = 0;
    Routenauftrag routenauftrag;
    double naechsterScroll = 0.0;  // the map scrolls one step at most every 0.0033 s
    double routenTimer = 0.0;      // one route step at most every 0.03 s
    int kartenBreite = 0;          // the whole star map: background scroll range + screen
    int kartenHoehe = 0;

    // Fleet selection on the map and what the fleet pass reports to the other screens.
    int gewaehlteFlotte = 0;
    int gewaehltesSchiff = 0;
    Feld<int> gewaehlteTypen{1, 8, 0};  // ship count per type of the selected fleet
    double naechsterFlugschritt = 0.0;  // clock value of the next movement tick
    int kolonieschiff = 0;              // colony ship standing at the opened system
    int angriffsschiff = 0;             // heavy battleship standing at the opened system
    std::string angriffsziel;
    std::string angriffsschaden;
    int abdockFlotte = 0;               // pending undock request (fleet number)
    // A destination refused for lying outside the range circle: the system and until when the
    // map marks it (clock value), so the click is seen to have been refused.
    int ausserReichweite = 0;
    double ausserReichweiteBis = 0.0;

    // The opened star system's screen.
    int systemTab = 1;
    int forschungsKategorie = 1;
    int katalogOffen = 0;
    int hangarSchiff = 0;
    int hangarFlotte = 0;
    int hangarSeite = 1;
    int flottenSeite = 1;
};

struct Spielstand {
    Spielstand();

    Sternsysteme systeme;
    SchiffListen schiffe;                       // the local player's master lists
    Feld<SchiffSatz> saetze{1, 4};              // working sets per player slot
    Spieler spieler;
    Forschung forschung;
    Wirtschaft wirtschaft;
    Kartenzustand karte;

    int eigenerSpieler = 0;
    int Spieleranzahl = 0;
    int Sternanzahl = 200;
    int spielLaeuft = 0;
    int hintergrund = 0;
    int gewaehltesSystem = 0;
    int scrollX = 0;
    int scrollY = 0;
    int scrollSchritt = 2;
    Feld2<int> hintergrundGroesse{1, 14, 1, 2};  // (k, 1) horizontal, (k, 2) vertical scroll range
};

}  // namespace qz

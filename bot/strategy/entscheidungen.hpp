// What a computer player decides: plain orders, each one a thing a person can do on the
// screens (a click on the research tab, the shipyard, the hangar, the map, the visit screen),
// carried out by the program above through the same routines a person's clicks reach.
// Ship numbers are those of the view the decision was made on: apply the orders before the
// ship lists are joined again.
#pragma once

#include "bot/strategy/lage.hpp"

#include <variant>
#include <vector>

namespace qz {

// Research tab: the budget in percent (0..100, steps of 5).
struct EtatSetzen {
    int prozent = 0;
};

// Research tab: switch a topic 1..12 on or off.
struct ThemaSchalten {
    int thema = 0;
    bool an = false;
};

// Shipyard tab of an own system: order one ship of a type into the first free of three slots.
struct SchiffBauen {
    int system = 0;
    int typ = 0;
};

// Hangar tab, ships docked at the system: click the first ship ("Flotte erstellen" when it is
// in no fleet), click the others into its fleet, then "Flotte abdocken": the fleet stands at
// the system's parking point.
struct FlotteBilden {
    int system = 0;
    std::vector<int> schiffe;
};

// Star map: send a standing fleet to a system within its range.
struct FlotteSenden {
    int flotte = 0;
    int ziel = 0;
};

// Star map: "Andocken" of a fleet standing at an own system.
struct FlotteAndocken {
    int flotte = 0;
};

// Visit screen: "Kolonisieren" with a colony ship standing at the unowned system.
struct Kolonisieren {
    int system = 0;
};

// Own system, tab 2: "Handelsposten +35" (for good).
struct HandelspostenErrichten {
    int system = 0;
};

// Visit screen of a co-player's system: "Handel Anbieten" (also accepts an offer made to us)
// or "Handel Abbrechen".
struct HandelAnbieten {
    int spieler = 0;
};
struct HandelAbbrechen {
    int spieler = 0;
};

// Visit screen: "Angreifen" (an) or "Feuer Einstellen" with the heavy battleships standing there.
struct Angreifen {
    int system = 0;
    bool an = true;
};

using Entscheidung = std::variant<EtatSetzen, ThemaSchalten, SchiffBauen, FlotteBilden, FlotteSenden, FlotteAndocken,
                                  Kolonisieren, HandelspostenErrichten, HandelAnbieten, HandelAbbrechen, Angreifen>;

// The three levels differ only in how quickly and how far ahead the player decides.
enum class Stufe { leicht, mittel, schwer };

struct StufenWerte {
    double reaktion;       // seconds from seeing an event to the first order on it
    double neuplanung;     // seconds between routine plans when nothing happens
    int ziele;             // goals followed at once (colony missions, sieges, yards kept busy)
    int horizont;          // days: only investments and attacks that pay within this
    int erkundung;         // fleets sent out only to look
    int wegHops;           // hops of stop-overs a colony ship's target may lie away
};
StufenWerte stufenWerte(Stufe stufe);

// The player's own memory between two calls: when it last planned, what it saw and when,
// which goals it follows.
struct Gedaechtnis {
    double letztePlanung = -1e9;
    std::vector<std::pair<int, double>> bedrohtSeit;  // own system, time a threat was first seen
    std::vector<std::pair<int, int>> auftraege;       // colony or scout fleet, system it was sent to
    std::vector<std::pair<int, int>> belagerungen;    // strike fleet, system it is to take
    std::vector<std::pair<int, double>> angebote;     // player, time of the last own trade offer
    std::vector<Gefecht> feindFlotten;                // per player, the most firepower proven in a battle
    std::vector<std::pair<Gefecht, double>> gefechtsOrte;  // per system and player: last battle seen, when
    std::vector<int> feinde;                          // players it is at war with
};

// One round of decisions on the view; empty while the level's reaction delay runs.
std::vector<Entscheidung> entscheide(const Lage& lage, Stufe stufe, Gedaechtnis& gedaechtnis);

}  // namespace qz

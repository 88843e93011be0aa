// The lobby's steps that need no screen: its requests, the slots' colours, the host's star map
// made when it starts the game, and the start values every player's home takes when the game
// begins.
#pragma once

#include "platform/platform.hpp"
#include "state/spielstand.hpp"
#include "multiplayer/session/mehrspieler.hpp"
#include "multiplayer/exchange/server_worker.hpp"

#include <string>

namespace qz {

// A new star map for Spieleranzahl players and Sternanzahl systems from the platform's random
// numbers, seeded with `seed` (the player's game passes its timer; the same seed gives the same
// map, which lets a tournament play one map twice); the host is player 1.
void sternkarteErzeugen(Platform& zufall, Spielstand& spiel, double seed);

// The background number kept in range (1 when no star map arrived), the own home planet at
// its base values, the view centred on it, and the map's size from
// the background's scroll range.
void spielstartWerte(Spielstand& spiel);

// The lobby's request when its period is due: the host creates the channel until it has a
// session, then uploads the star map until the start is reported; a seated player polls the
// lobby, a player without a slot asks to join.
void lobbyAnfragen(double jetzt, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp, const std::string& version);

// Each slot's red, green and blue from its colour index (a stray index leaves them).
void slotFarbenSetzen(Spielstand& spiel);

}  // namespace qz

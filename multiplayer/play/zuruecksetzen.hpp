// A channel's game back to its start, when the player leaves it or it ends.
#pragma once

#include "frame/rahmen.hpp"
#include "state/spielstand.hpp"
#include "multiplayer/session/mehrspieler.hpp"

namespace qz {

// Everything of a game and a channel back to its start: the game state, the co-players'
// ships, the multiplayer exchange, and the start values of money and supply.
void mehrspielerZuruecksetzen(Rahmen& rahmen, Spielstand& spiel, Mehrspieler& mp);

}  // namespace qz

// The multiplayer mode: the screen handler the main loop calls while Programmzustand is
// "multiplayer". It runs exactly one sub-screen per pass, chosen by Unterzustand. A running game
// goes on behind its menus, the options and a help page: the others keep playing, and a player
// silent for a minute would count as gone.
#pragma once

#include "frame/rahmen.hpp"
#include "map/bildquellen.hpp"
#include "state/spielstand.hpp"
#include "multiplayer/session/mehrspieler.hpp"
#include "multiplayer/exchange/server_worker.hpp"

namespace qz {

void multiplayerScreen(Rahmen& rahmen, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp,
                       const Bildquellen& quellen);

// The running game's steps without its screen (days, fleets, the exchange with the server), for
// a pass in which a menu, the options or a help page covers the map; nothing while no game
// runs. A server that no longer knows the game ends it as the map would.
void mehrspielerHintergrund(Rahmen& rahmen, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp);

}  // namespace qz

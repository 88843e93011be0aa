// The multiplayer mode: the screen handler the main loop calls while Programmzustand is
// "multiplayer". It runs exactly one sub-screen per pass, chosen by Unterzustand; the game's
// own logic (days, requests, replies) runs only while the map is shown.
#pragma once

#include "frame/rahmen.hpp"
#include "map/bildquellen.hpp"
#include "state/spielstand.hpp"
#include "multiplayer/session/mehrspieler.hpp"
#include "multiplayer/exchange/server_worker.hpp"

namespace qz {

void multiplayerScreen(Rahmen& rahmen, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp,
                       const Bildquellen& quellen);

}  // namespace qz

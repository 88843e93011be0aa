// The multiplayer mode: the screen handler the main loop calls while Programmzustand is "multiplayer".
#pragma once

#include "frame/core/rahmen.hpp"
#include "game/spielstand.hpp"
#include "multiplayer/server_worker.hpp"

namespace qz {

void multiplayerScreen(Rahmen& rahmen, Spielstand& spiel, Serverdaten& server);

}  // namespace qz

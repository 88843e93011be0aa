#include "multiplayer/multiplayer_screen.hpp"

#include "game/sandkasten.hpp"

namespace qz {

void multiplayerScreen(Rahmen& rahmen, Spielstand& spiel, Serverdaten&) { sandkastenScreen(rahmen, spiel); }

}  // namespace qz

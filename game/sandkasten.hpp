// The sandbox mode: the screen handler the main loop calls while Programmzustand is "sandkasten".
#pragma once

#include "frame/core/rahmen.hpp"
#include "game/spielstand.hpp"

namespace qz {

void sandkastenScreen(Rahmen& rahmen, Spielstand& spiel);

}  // namespace qz

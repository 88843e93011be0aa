// The sandbox mode: the screen handler the main loop calls while Programmzustand is
// "sandkasten". One pass handles the input of the sub-screen, advances the running game while
// the map is shown, and draws the frame.
#pragma once

#include "frame/rahmen.hpp"
#include "map/bildquellen.hpp"
#include "sandbox/speichermenue.hpp"
#include "state/spielstand.hpp"

namespace qz {

// A starting or loaded game takes its background and ship pictures from quellen; the slot
// screens of "Spiel Laden" and "Spiel Speichern" keep what they show in speicher.
void sandkastenScreen(Rahmen& rahmen, Spielstand& spiel, const Bildquellen& quellen, Speichermenue& speicher);

}  // namespace qz

// Setting a sandbox game up and tearing it down: the two resets of the menu, "Spiel Starten"
// with the star map, background and ship pictures, and the view on the home planet.
#pragma once

#include "frame/rahmen.hpp"
#include "map/bildquellen.hpp"
#include "state/spielstand.hpp"

namespace qz {

// "Neues Spiel": the sandbox's defaults (one player, colour 1, 200 systems), then the game reset.
void neuesSpielZuruecksetzen(Rahmen& rahmen, Spielstand& spiel);

// The game reset: economy, pictures, overlays, research, ships and systems back to the start.
void spielVerwerfen(Rahmen& rahmen, Spielstand& spiel);

// "Spiel Starten": seeds the generator from the timer, draws the background, generates the
// star map with the home planet, centres the view and loads the pictures.
void spielStarten(Rahmen& rahmen, Spielstand& spiel, const Bildquellen& quellen);

// The pictures of a game: its background and the local player's ship pictures in the player's
// colour; the other slots' ship pictures are released.
void spielBilderLaden(Rahmen& rahmen, const Spielstand& spiel, const Bildquellen& quellen);

// Centres the view on (x, y): the horizontal range is 0..1536; the vertical start is 0 at the
// least, and a value beyond 832 becomes 943, the lowest the view can go above the status bar.
void ansichtZentrieren(Spielstand& spiel, int x, int y);

// Centres the view on the local player's home planet, when there is one.
void ansichtAufHeimat(Spielstand& spiel);

}  // namespace qz

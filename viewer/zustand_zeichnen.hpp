// The picture of a recorded state, as the replay and a spectated game show it: the star map
// with every system's owner and every seat's fleets (the whole map, without a sight range),
// the players and the chat. It only draws; whoever shows it gives no orders.
#pragma once

#include "frame/rahmen.hpp"
#include "map/bildquellen.hpp"
#include "platform/uebersetzung.hpp"
#include "replay/replay_state.hpp"
#include "state/spielstand.hpp"

#include <array>

namespace qz {

// The background picture and the map's size.
void kartenbildBeginnen(Rahmen& r, Spielstand& spiel, const Bildquellen& quellen);
// The view on the first seat's home planet.
void aufHeimatZentrieren(Spielstand& spiel);
// W, A, S, D and the arrow keys.
void kartenbildScrollen(Rahmen& r, Spielstand& spiel);
// Ship pictures follow the seats' colours: a seat taken later in the game gets its pictures
// then. `geladen` holds the colour index each seat's pictures were loaded for.
void schiffbilderLaden(Rahmen& r, const Spielstand& spiel, const Bildquellen& quellen, std::array<int, 4>& geladen);
// Releases the background and the ship pictures.
void kartenbilderFreigeben(Rahmen& r);

void karteZeichnen(Rahmen& r, const Spielstand& spiel);
// A red double ring and "Kampf" at every system where a battle stands (the state's battles).
void schlachtenZeichnen(Rahmen& r, const Spielstand& spiel, const replay::ReplayState& z);
// `kopf` above the players, top right.
void spielerZeichnen(Rahmen& r, const Spielstand& spiel, const replay::ReplayState& z, const Text& kopf);
void chatZeichnen(Rahmen& r, const Spielstand& spiel, const replay::ReplayState& z);

}  // namespace qz

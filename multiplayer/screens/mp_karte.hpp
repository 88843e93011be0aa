// The running multiplayer map on screen: background and overlays, the systems, the own fleets
// and the co-players' fleets, the opened system's screen in its multiplayer form, docking,
// the status bar and the chat.
#pragma once

#include "frame/rahmen.hpp"
#include "state/spielstand.hpp"
#include "multiplayer/session/mehrspieler.hpp"

namespace qz {

// The trade-route picture: for each slot a line in the slot's colour per pair of its list.
void handelswegeNeu(Spielstand& spiel, Mehrspieler& mp);

// The visit screen of a system the local player reached first, with the multiplayer actions:
// a colonisation is noted for the server, a heavy battleship offers "Angreifen" / "Feuer
// Einstellen", a co-player's system offers "Handel Anbieten" / "Handel Abbrechen".
void mpBesuchsschirm(Rahmen& rahmen, Spielstand& spiel, Mehrspieler& mp);

// True while the selected fleet's panel (its ships and "Andocken") is shown at the bottom left.
bool flottenleisteGezeigt(const Spielstand& spiel);

void mehrspielerKarteZeichnen(Rahmen& rahmen, Spielstand& spiel, Mehrspieler& mp);

}  // namespace qz

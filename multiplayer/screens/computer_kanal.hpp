// The computer players and the private server of the channel the player is in, as the screens
// follow them: started once the channel exists, ended once the player has left it.
#pragma once

#include "frame/rahmen.hpp"
#include "state/spielstand.hpp"
#include "multiplayer/exchange/server_worker.hpp"
#include "multiplayer/session/mehrspieler.hpp"

namespace qz {

// The computer players started but not yet seated in the lobby (ended ones do not count).
int wartendeComputerspieler(Computerspiel& c, const Mehrspieler& mp);

// The computer players that ended with an error before they were seated (a refused login, a
// channel they could not join) and whose failure no seat has shown and offered again yet.
int gescheiterteComputerspieler(const Computerspiel& c);

// True while the player is in the channel the computer players belong to: the private game's
// start screen, the lobby, or a running game (its menus included).
bool imComputerkanal(const Rahmen& r, const Spielstand& spiel);

// Once per pass of the program: starts the computer players a game against the computer still
// needs once its channel exists, reaps those that ended by themselves, and ends every computer
// player and the private server once the player has left the channel. A private game's end gives the player's own server and login
// back and returns to the sandbox menu ("Zurück" in the lobby; "Spiel Beenden" has gone to the
// main menu already), or to "Gegen den Computer" after "Neues Spiel" and while a message shows
// there (a lost game: "Verbindung zum Spiel verloren", also when the private server ended by
// itself).
void computerspielPruefen(Rahmen& r, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp);

}  // namespace qz

// The multiplayer sub-screens, one per Unterzustand: login, the multiplayer menu and its
// confirmations (leaving, "Neues Spiel" in a running game), the start of a game against the
// computer, channel creation, the channel list, the lobby, the recordings of ended games and
// their replay, and the running game. Each handles its input first and then draws its frame.
#pragma once

#include "frame/rahmen.hpp"
#include "map/bildquellen.hpp"
#include "state/spielstand.hpp"
#include "multiplayer/session/mehrspieler.hpp"
#include "multiplayer/exchange/server_worker.hpp"

namespace qz {

void loginScreen(Rahmen& rahmen, Serverdaten& server, Mehrspieler& mp);
void mehrspielerMenue(Rahmen& rahmen, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp);
void verlassenDialog(Rahmen& rahmen, Spielstand& spiel, Mehrspieler& mp);
void neuesSpielDialog(Rahmen& rahmen, Spielstand& spiel, Mehrspieler& mp);
void gegenComputerScreen(Rahmen& rahmen, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp);
void kanalErstellenScreen(Rahmen& rahmen, Spielstand& spiel, Mehrspieler& mp);
void kanalListeScreen(Rahmen& rahmen, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp);
// From the channel list: watch running game k of the list.
void zuschauenBeginnen(Rahmen& rahmen, Mehrspieler& mp, int k);
void zuschauenScreen(Rahmen& rahmen, Serverdaten& server, Mehrspieler& mp, const Bildquellen& quellen);
void lobbyScreen(Rahmen& rahmen, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp, const Bildquellen& quellen);
// "Aufzeichnungen": the server's recordings of ended games; a click plays one.
void aufzeichnungenScreen(Rahmen& rahmen, Serverdaten& server, Mehrspieler& mp, const Bildquellen& quellen);
// The recording fetched there, in the replay viewer; its end goes back to the list.
void aufzeichnungScreen(Rahmen& rahmen, Mehrspieler& mp);
void mehrspielerSpiel(Rahmen& rahmen, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp);
// The end of a game the server no longer knows: back to the multiplayer menu with the message.
void spielVerloren(Rahmen& rahmen, Spielstand& spiel, Mehrspieler& mp);

}  // namespace qz

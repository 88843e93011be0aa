// The server's list of open channels, and what joining one of its rows sets up before the
// lobby's first reply.
#pragma once

#include "state/spielstand.hpp"
#include "multiplayer/session/mehrspieler.hpp"

#include <string>

namespace qz {

// The reply to "channel_auflisten" into the channel list of mp (as many channels as its shortest
// field); false, and the list kept, for any other reply.
bool kanalListeLesen(const std::string& antwort, Mehrspieler& mp);

// Joining channel k of the list: its session, player and star counts, the open slots; the own
// slot is learnt from the lobby's reply (a marked running game: the seat the login holds).
void kanalBetreten(Spielstand& spiel, Mehrspieler& mp, int k);

}  // namespace qz

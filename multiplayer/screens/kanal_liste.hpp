// The paged list of open channels: five rows per page, full channels not selectable except
// the player's own running game, marked "läuft - Fortsetzen".
#pragma once

#include "frame/rahmen.hpp"
#include "platform/feld.hpp"
#include "state/spielstand.hpp"
#include "multiplayer/mehrspieler.hpp"

#include <string>

namespace qz {

// Draws rows 5*seite-4 .. 5*seite (up to `anzahl`) at x 362, y 350 + 39 per row, handles the
// row selection, the page arrows and the right click that clears the selection. A click the
// routine used becomes the click-sound request (42).
void SUB_CHANNEL_AUFLISTEN(Rahmen& rahmen, int& auswahl, int& seite, int anzahl, Feld<std::string>& ids,
                           Feld<std::string>& namen, Feld<std::string>& passwoerter, Feld<std::string>& spieler,
                           Feld<std::string>& maxSpieler, Feld<std::string>& sterne,
                           const Feld<std::string>& laeuft, int mausX, int mausY, int& Mausereignis,
                           const ImagePtr& zeilenBild, const ImagePtr& weiterBild, const ImagePtr& zurueckBild);

// The reply to "channel_auflisten" into the channel list of mp (as many channels as its shortest
// field); false, and the list kept, for any other reply.
bool kanalListeLesen(const std::string& antwort, Mehrspieler& mp);

// Joining channel k of the list: its session, player and star counts, the open slots; the own
// slot is learnt from the lobby's reply (a marked running game: the seat the login holds).
void kanalBetreten(Spielstand& spiel, Mehrspieler& mp, int k);

}  // namespace qz

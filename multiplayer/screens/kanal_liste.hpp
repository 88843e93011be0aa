// The paged list of open channels: five rows per page, full channels not selectable except
// the player's own running game, marked "läuft - Fortsetzen", and running games the player
// may watch, marked "läuft - Zuschauen".
#pragma once

#include "frame/rahmen.hpp"
#include "platform/feld.hpp"
#include "state/spielstand.hpp"
#include "multiplayer/session/mehrspieler.hpp"

#include <string>

namespace qz {

// Draws rows 5*seite-4 .. 5*seite (up to `anzahl`) at x 362, y 350 + 39 per row, handles the
// row selection, the page arrows and the right click that clears the selection. A click the
// routine used becomes the click-sound request (42).
void SUB_CHANNEL_AUFLISTEN(Rahmen& rahmen, int& auswahl, int& seite, int anzahl, Feld<std::string>& ids,
                           Feld<std::string>& namen, Feld<std::string>& passwoerter, Feld<std::string>& spieler,
                           Feld<std::string>& maxSpieler, Feld<std::string>& sterne,
                           const Feld<std::string>& laeuft, const Feld<std::string>& zuschauen, int mausX,
                           int mausY, int& Mausereignis,
                           const ImagePtr& zeilenBild, const ImagePtr& weiterBild, const ImagePtr& zurueckBild);

}  // namespace qz

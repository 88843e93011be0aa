// The in-game chat: the 40-character line with its focus, "...Sende..." while the line waits
// for the next request, and the shared history under the map.
#pragma once

#include "frame/rahmen.hpp"
#include "multiplayer/session/mehrspieler.hpp"

namespace qz {

constexpr int kChatFokus = 101;

// Focus by Enter or a click on the field, editing, sending by Enter, dropping by right click.
// While `flottenleiste` (the selected fleet's panel holds the chat's place, its "Andocken" where
// the field is) a click there is the panel's, and only Enter opens the chat.
void chatEingabe(Rahmen& rahmen, Mehrspieler& mp, bool flottenleiste);

// The field and the history lines (the newest that fit above the bottom of the screen).
void chatZeichnen(Rahmen& rahmen, const Mehrspieler& mp);

// Whether the chat has the bottom left of the map this frame: always, except while the fleet
// panel is shown and the chat has no focus. The two share that place, and text drawn over text
// could be read as neither.
bool chatSichtbar(const Mehrspieler& mp, bool flottenleiste);

// The text of history pair k (items 2k, 2k + 1) in the reader's language: a server message
// (sender 5) translated where the game knows its wording (server_texte.hpp), otherwise the
// sender slot's name and the text as typed.
Text chatZeile(const Mehrspieler& mp, int paar);

}  // namespace qz

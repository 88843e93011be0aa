// The in-game chat: the 40-character line with its focus, "...Sende..." while the line waits
// for the next request, and the shared history under the map.
#pragma once

#include "frame/rahmen.hpp"
#include "multiplayer/session/mehrspieler.hpp"

namespace qz {

constexpr int kChatFokus = 101;

// Focus by Enter or a click on the field, editing, sending by Enter, dropping by right click.
void chatEingabe(Rahmen& rahmen, Mehrspieler& mp);

// The field and the history lines (the newest that fit above the bottom of the screen).
void chatZeichnen(Rahmen& rahmen, const Mehrspieler& mp);

// The text of history pair k (items 2k, 2k + 1): a server message (sender 5) alone, otherwise
// the sender slot's name, ": " and the text.
std::string chatZeile(const Mehrspieler& mp, int paar);

}  // namespace qz

// Applying the server's in-game reply: the system lists of all players, the co-players' ship
// blocks, trade agreements and trade routes, the chat history and the battle records.
#pragma once

#include "state/spielstand.hpp"
#include "multiplayer/session/mehrspieler.hpp"

#include <string_view>

namespace qz {

// The five system lists. An own system reported with another owner is lost (owner 0, its
// planet values 0, the map redrawn); a pending colonisation keeps the own player as owner
// while the system is reported unowned, and is settled once it is reported owned.
// Values beyond Sternanzahl and planet types the game does not have are skipped.
void systemListenAnwenden(std::string_view antwort, Spielstand& spiel, Mehrspieler& mp);

// Every slot other than the own one: its ships are replaced by the lists present (none when
// no list is), its highest fleet number, stored agreement value and trade routes are read.
void spielerBloeckeAnwenden(std::string_view antwort, Spielstand& spiel, Mehrspieler& mp);

// "#chat-": items separated by ";-;" in pairs sender, text; replaces the history.
void chatAnwenden(std::string_view antwort, Mehrspieler& mp);

// One SUB_MP_KAMPF per battle record of systems 1..Sternanzahl; records of other systems are skipped.
void kaempfeAnwenden(std::string_view antwort, Spielstand& spiel);

// All of the above in this order, under the routine error handler: a hostile index ends the
// application with the error report and leaves what was applied so far.
void spielAntwortAnwenden(std::string_view antwort, Spielstand& spiel, Mehrspieler& mp);

}  // namespace qz

// The running multiplayer game without its screen: the steps of one pass that change the game,
// in the order the player's frame takes them. The frame runs them around its input and
// drawing; a program without a screen runs mehrspielerSchritt, the same steps back to back.
#pragma once

#include "platform/platform.hpp"
#include "state/spielstand.hpp"
#include "multiplayer/session/mehrspieler.hpp"
#include "multiplayer/exchange/server_worker.hpp"

#include <string>

namespace qz {

// The day step when it is due, with the own part of the game kept for the requests, then the
// pass over the own ships (repair, undocking). Held while a rejoined game waits for the own part.
void mpTagUndSchiffe(Platform& platform, Spielstand& spiel, Mehrspieler& mp);

enum class AustauschErgebnis { weiter, sitzungVerloren };

// The route steps, the server's reply taken and applied (a refusal only shown), the own lists
// joined and cut, and the request of the 2-second exchange posted when it is due; what a
// request without reply carried goes out again with the next (so does the own part of the
// last day, whose local copy is written with the first). A rejoined game asks for the own part
// instead until a reply brings it, and takes it over (multiplayer/eigener_teil.hpp). With `angewandt`, the reply
// applied in this pass is left there (empty when none was), for a program that reads more
// of it than the game state keeps.
AustauschErgebnis mpAustausch(Platform& platform, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp,
                              std::string* angewandt = nullptr);

// The movement of the own fleets and of the co-players' fleets, as the map's fleet passes
// take it between drawing and selection.
void mpFlottenBewegen(Platform& platform, Spielstand& spiel, Mehrspieler& mp);

// One pass of the game without a screen: the three steps above.
AustauschErgebnis mehrspielerSchritt(Platform& platform, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp,
                                     std::string* angewandt = nullptr);

}  // namespace qz

// The message of a refusal or a lost game (session/meldung.hpp), drawn over the screen it
// belongs to.
#pragma once

#include "frame/rahmen.hpp"
#include "multiplayer/session/mehrspieler.hpp"

namespace qz {

// The message centred on x 512 at y, in red, while its time lasts.
void meldungZeichnen(Rahmen& rahmen, const Mehrspieler& mp, int y);

}  // namespace qz

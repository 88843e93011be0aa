// The notice of a server that stopped answering (play/verbindung_unterbrochen.hpp), drawn over
// the running map.
#pragma once

#include "frame/rahmen.hpp"
#include "multiplayer/session/mehrspieler.hpp"

namespace qz {

// The notice on a dark panel in the middle of the map, while the silence lasts.
void unterbrechungZeichnen(Rahmen& rahmen, const Mehrspieler& mp);

}  // namespace qz

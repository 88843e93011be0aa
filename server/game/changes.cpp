#include "game/changes.hpp"

namespace qz::server {

bool ChannelChanges::any() const {
    if (header || wholeMap || !systems.empty() || agreements || chatAppended > 0 || previousSlots) return true;
    for (int n = 1; n <= kMaxPlayers; ++n) {
        if (slots[n] || players[n] || privateBlocks[n]) return true;
    }
    return false;
}

}  // namespace qz::server

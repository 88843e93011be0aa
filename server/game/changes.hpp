// What one request changed in a channel, so that exactly that is written to storage.
#pragma once

#include "base/limits.hpp"

#include <array>
#include <cstddef>
#include <set>

namespace qz::server {

struct ChannelChanges {
    bool header = false;  // started flag, star count, host, background
    std::array<bool, kMaxPlayers + 1> slots{};
    bool wholeMap = false;
    std::set<int> systems;  // 1-based systems whose owner, shield, fortification or attack state changed
    std::array<bool, kMaxPlayers + 1> players{};
    bool agreements = false;
    std::size_t chatAppended = 0;  // lines added at the end of the chat
    bool previousSlots = false;    // where timed-out lobby players sat
    // Private blocks show in no reply but their owner's, yet another instance's copy of the
    // channel must not hand back an old one: they count as a change like any other.
    std::array<bool, kMaxPlayers + 1> privateBlocks{};
    // Times only the sweep reads; they change no reply and so leave the revision alone.
    std::array<bool, kMaxPlayers + 1> polled{};
    bool emptySince = false;

    // True when what the replies show changed.
    bool any() const;
};

}  // namespace qz::server

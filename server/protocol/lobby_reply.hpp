// The lobby reply: "channel", the started flag, the star count, then the session id, the
// slot records and, once the game has started, the star-map records.
#pragma once

#include "game/channel.hpp"

#include <string>

namespace qz::server {

// withSlots false leaves the slot records out (see createChannel).
std::string buildLobbyReply(const ChannelState& channel, bool withSlots = true);

// ",a,b,c" of one star-map array.
void appendSystemList(std::string& out, const char* tag, const std::vector<int>& values);

}  // namespace qz::server

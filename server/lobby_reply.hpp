// The lobby reply: "channel", the started flag, the star count, then the session id, the
// slot records and, once the game has started, the star-map records.
#pragma once

#include "channel.hpp"

#include <string>

namespace qz::server {

std::string buildLobbyReply(const ChannelState& channel);

// ",a,b,c" of one star-map array.
void appendSystemList(std::string& out, const char* tag, const std::vector<int>& values);

}  // namespace qz::server

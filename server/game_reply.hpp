// The reply to "spiel": the system lists, every slot's ship and trade records, the
// agreement values as the requester sees them, the battles and the chat.
#pragma once

#include "channel.hpp"
#include "game_rules.hpp"

#include <string>

namespace qz::server {

std::string buildGameReply(const ChannelState& channel, int requester);

}  // namespace qz::server

// The reply to "spiel": the system lists, every slot's ship and trade records, the
// agreement values as the requester sees them, the battles and the chat.
#pragma once

#include "game/channel.hpp"
#include "game/game_rules.hpp"

#include <string>

namespace qz::server {

// Rebuilds what the channel's reply cache lacks, then puts the reply together.
std::string buildGameReply(ChannelState& channel, int requester);

}  // namespace qz::server

// The reply to "spiel": the system lists, every slot's ship and trade records, the
// agreement values as the requester sees them, the battles and the chat; on request the
// requester's own private block.
#pragma once

#include "game/channel.hpp"
#include "game/game_rules.hpp"

#include <string>

namespace qz::server {

// Rebuilds what the channel's reply cache lacks, then puts the reply together.
// `withPrivateBlock` adds "#privat-<block>-privat#" when the requester's slot holds one;
// `privateBlockDropped` adds "#privatvoll-1-privatvoll#", telling the requester that its block
// found no room and the server keeps none.
std::string buildGameReply(ChannelState& channel, int requester, bool withPrivateBlock = false,
                           bool privateBlockDropped = false);

}  // namespace qz::server

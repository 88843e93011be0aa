#include "replay/replay_state.hpp"

namespace qz::replay {

void appendChat(ReplayState& state, ChatEntry line) {
    state.chat.push_back(std::move(line));
    if (state.chat.size() > kChatLines) state.chat.erase(state.chat.begin(), state.chat.end() - kChatLines);
}

}  // namespace qz::replay

#include "bad_request.hpp"
#include "commands.hpp"
#include "log.hpp"

namespace qz::server {

void requireSpeaksFor(CommandContext& context, const std::string& name) {
    if (!context.logins.boundTo(name, context.client, context.now)) {
        throw BadRequest("Nicht angemeldet");
    }
}

ChannelPtr requireChannel(CommandContext& context, const std::string& sessionId) {
    if (sessionId.empty()) throw BadRequest("Sitzung fehlt");
    ChannelPtr channel = context.channels.find(sessionId);
    if (!channel) throw BadRequest("Unbekannte Sitzung");
    return channel;
}

void persist(CommandContext& context, Channel& channel, const ChannelChanges& changes) {
    channel.state.replyCache.invalidate(changes);
    try {
        context.storage.save(channel.state, changes);
    } catch (const std::exception& error) {
        logLine(LogLevel::error, "storage write failed channel=" + channel.state.sessionId + " " + error.what());
        std::optional<ChannelState> stored = context.storage.loadChannel(channel.state.sessionId);
        if (stored) {
            stored->previousSlot = std::move(channel.state.previousSlot);
            for (int n = 1; n <= kMaxPlayers; ++n) stored->slots[n].lastPoll = channel.state.slots[n].lastPoll;
            channel.state = std::move(*stored);
        }
        throw;
    }
}

void addChatLine(ChannelState& state, int sender, std::string text, ChannelChanges& changes) {
    state.chat.push_back({sender, std::move(text)});
    while (state.chat.size() > kChatHistoryLines) state.chat.pop_front();
    ++changes.chatAppended;
}

}  // namespace qz::server

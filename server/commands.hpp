// The commands of the server script, one function per "infos" value. Each returns the reply
// text that goes between "CODE:" and ":EDOC", or throws BadRequest having changed nothing.
#pragma once

#include "accounts.hpp"
#include "channel_registry.hpp"
#include "changes.hpp"
#include "form.hpp"
#include "login_bindings.hpp"
#include "storage.hpp"

#include <string>

namespace qz::server {

struct ServerConfig {
    bool registrationOpen = true;
    HashCost hashCost = HashCost::interactive;
};

struct CommandContext {
    Storage& storage;
    AccountBook& accounts;
    LoginBindings& logins;
    ChannelRegistry& channels;
    const ServerConfig& config;
    const std::string& client;  // the sender's address as logins are bound to it
    double now;                 // server clock: seconds since 1970
};

std::string onlineCheck();
std::string login(CommandContext& context, const FormFields& form);
std::string listChannels(CommandContext& context, const FormFields& form);
std::string createChannel(CommandContext& context, const FormFields& form);
std::string channelPoll(CommandContext& context, const std::string& sessionId, const FormFields& form);
std::string playGame(CommandContext& context, const std::string& sessionId, const FormFields& form);

// BadRequest unless the player's latest login came from the sender's address.
void requireSpeaksFor(CommandContext& context, const std::string& name);

// The open channel of this session id, or BadRequest.
ChannelPtr requireChannel(CommandContext& context, const std::string& sessionId);

// Writes a channel's changes; when storage fails, the channel is put back to what storage
// holds and the error goes on to the caller. Call with the channel locked.
void persist(CommandContext& context, Channel& channel, const ChannelChanges& changes);

// Appends a server message (sender 5) to the chat, keeping the history short.
void addChatLine(ChannelState& state, int sender, std::string text, ChannelChanges& changes);

}  // namespace qz::server

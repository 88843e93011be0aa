// The commands of the server script, one function per "infos" value. Each returns the reply
// text that goes between "CODE:" and ":EDOC", or throws BadRequest having changed nothing.
#pragma once

#include "storage/accounts.hpp"
#include "game/channel_registry.hpp"
#include "game/changes.hpp"
#include "base/form.hpp"
#include "storage/login_bindings.hpp"
#include "storage/storage.hpp"

#include <atomic>
#include <string>

namespace qz::server {

struct AddressLimits {
    int failedLoginsPerMinute = kFailedLoginsPerMinute;
    int loginsPerMinute = kLoginsPerMinute;
    int loginsPerNamePerMinute = kLoginsPerNamePerMinute;
    int registrationsPerHour = kRegistrationsPerHour;
    int channelCreationsPerHour = kChannelCreationsPerHour;
    int openChannels = kOpenChannelsPerAddress;
};

struct ServerConfig {
    bool registrationOpen = true;
    HashCost hashCost = HashCost::interactive;
    AddressLimits perAddress;
    double gameIdleSeconds = kGameIdleSeconds;
    std::size_t shipBytesPerChannel = kShipBytesPerChannel;
    std::size_t shipBytesTotal = kShipBytesTotal;
    // Recordings of running games are kept this long after their last entry; 0: no game
    // is recorded (--keep-recordings).
    double keepRecordingsSeconds = kKeepRecordingsSeconds;
    int maxSpectators = kMaxSpectators;  // per running game (--max-spectators)
};

struct CommandContext {
    Storage& storage;
    AccountBook& accounts;
    LoginBindings& logins;
    ChannelRegistry& channels;
    const ServerConfig& config;
    std::atomic<std::size_t>& shipBytes;  // PlayerState::bytes over every open channel
    const std::string& client;            // the sender's address as logins are bound to it
    double now;                 // server clock: seconds since 1970
};

std::string onlineCheck();
std::string login(CommandContext& context, const FormFields& form);
// The checks of a login that cost no hash (the form, the rates); BadRequest when one fails.
// An event loop runs them before a login may wait for a hash thread.
void checkLogin(CommandContext& context, const FormFields& form);
std::string listChannels(CommandContext& context, const FormFields& form);
std::string createChannel(CommandContext& context, const FormFields& form);
std::string channelPoll(CommandContext& context, const std::string& sessionId, const FormFields& form);
std::string playGame(CommandContext& context, const std::string& sessionId, const FormFields& form);
// The recordings of ended games for a logged-in player ("i1"), and one of them by its id
// ("i2") in parts, from the entry after "seit" (recording_commands.cpp).
std::string listEndedRecordings(CommandContext& context, const FormFields& form);
std::string fetchRecording(CommandContext& context, const FormFields& form);
// "zuschauen": a running game as it stood its spectator delay ago, for a login not seated there.
std::string spectateGame(CommandContext& context, const std::string& sessionId, const FormFields& form);

// BadRequest unless the player's latest login came from the sender's address.
void requireSpeaksFor(CommandContext& context, const std::string& name);

// One request's hold on one channel: locked in this instance and, through the database,
// against every other instance; its state is current from the start. commit() writes the
// changes before the reply is built; left without commit(), nothing is written and the
// instance's copy counts as old. Nothing else may use storage while a channel is open (on
// SQLite the open channel holds the only connection): check logins and accounts first.
class OpenChannel {
public:
    using Wait = Storage::ChannelTransaction::Wait;
    // Throws BadRequest for a missing session id or, with Wait::yes, an unknown one; and,
    // when the request speaks for `player`, if that account is banned or deleted meanwhile.
    OpenChannel(CommandContext& context, const std::string& sessionId, Wait wait = Wait::yes,
                const std::string& player = {});
    ~OpenChannel();
    OpenChannel(const OpenChannel&) = delete;
    OpenChannel& operator=(const OpenChannel&) = delete;

    // False only with Wait::skipLocked: gone, or another instance is working on it.
    bool found() const { return transaction_.found(); }
    ChannelState& state() { return channel_->state; }
    // True when `name` watches this game as a spectator.
    bool watching(const std::string& name);
    void commit(const ChannelChanges& changes);
    void deleteChannel();

private:
    Storage::ChannelTransaction begin(CommandContext& context, const std::string& sessionId, Wait wait,
                                      const std::string& player);

    CommandContext& context_;
    ChannelPtr channel_;
    std::unique_lock<std::mutex> lock_;
    Storage::ChannelTransaction transaction_;
    bool committed_ = false;
};

}  // namespace qz::server

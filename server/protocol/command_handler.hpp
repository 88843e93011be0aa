// The server without its sockets: takes the query string and the form body of one request
// and gives the complete reply body ("CODE:" ... ":EDOC"). Also closes idle slots and
// channels. Safe to call from several threads at once.
#pragma once

#include "base/metrics.hpp"
#include "storage/accounts.hpp"
#include "game/channel_registry.hpp"
#include "protocol/commands.hpp"
#include "storage/storage.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace qz::server {

class CommandHandler {
public:
    // Loads the accounts from storage; `now` is the server clock at start, which counts as
    // a poll of every seated player. Channels are read from storage as requests need them.
    CommandHandler(Storage& storage, ServerConfig config, double now);

    // `client` is the sender's address as logins are bound to it (already cut to the
    // operator's prefix).
    std::string handle(std::string_view query, std::string_view body, double now, const std::string& client);
    // The same for an event loop, which must not compute password hashes: nothing when the
    // request is a login, to be handled on a thread of its own.
    std::optional<std::string> handleWithoutHashing(std::string_view query, std::string_view body, double now,
                                                    const std::string& client);

    // Frees lobby slots of players silent for 60 s and closes lobbies empty for 5 minutes and
    // running games nobody polled for a day (ServerConfig::gameIdleSeconds);
    // returns how many it closed. Any number of instances may sweep at once.
    std::size_t sweep(double now);

    // How many channels this instance holds in memory.
    std::size_t cachedChannels() const { return channels_.size(); }
    // For the operator: what was counted, the database's answer and what it holds.
    Metrics& metrics() { return metrics_; }
    bool databaseAnswers() { return storage_.answers(); }
    // The running games and players online over every instance (zero when the database
    // does not answer, which counts as a database error).
    StoredCounts storedCounts(double now);

private:
    std::optional<std::string> dispatch(std::string_view query, std::string_view body, double now,
                                        const std::string& client, bool mayHash, std::size_t& command);
    std::optional<std::string> framed(std::string_view query, std::string_view body, double now,
                                      const std::string& client, bool mayHash);
    // Counts the ship lists of every channel this instance holds.
    void countShipBytes();

    Storage& storage_;
    ServerConfig config_;
    AccountBook accounts_;
    LoginBindings logins_;
    ChannelRegistry channels_;
    std::atomic<std::size_t> shipBytes_{0};
    Metrics metrics_;
};

// "CODE:" + text + ":EDOC".
std::string frameReply(std::string_view text);
// The framed reply to a refused request: "fehler;;" + reason.
std::string errorReply(std::string_view reason);

}  // namespace qz::server

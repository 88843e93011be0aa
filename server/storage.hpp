// Durable state in SQLite (WAL): accounts and every channel. Each request's changes are
// written in one transaction before the reply leaves, so a restarted server answers on
// from exactly what it had answered.
#pragma once

#include "changes.hpp"
#include "channel.hpp"
#include "sqlite_db.hpp"

#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qz::server {

// A name's latest successful login: the client address as bound and the server time.
struct LoginRecord {
    std::string address;
    double at = 0;
};

class Storage {
public:
    // path may be ":memory:" for tests and the fuzzer.
    explicit Storage(const std::string& path);

    std::vector<std::pair<std::string, std::string>> loadAccounts();
    void saveAccount(const std::string& name, const std::string& credential);
    std::optional<std::string> loadAccount(const std::string& name);

    // Login bindings (storage_logins.cpp).
    void saveLogin(const std::string& name, const std::string& address, double at);
    std::optional<LoginRecord> loadLogin(const std::string& name);
    // True when some name logged in from this address at `since` or later.
    bool hasLoginFrom(const std::string& address, double since);

    std::vector<ChannelState> loadChannels();
    // One channel as stored, to recover after a failed write.
    std::optional<ChannelState> loadChannel(const std::string& sessionId);
    // Writes what `changes` names, all in one transaction.
    void save(const ChannelState& channel, const ChannelChanges& changes);
    // Writes the whole channel (new channel).
    void saveAll(const ChannelState& channel);
    void deleteChannel(const std::string& sessionId);

private:
    void writeHeader(const ChannelState& channel);
    void writeSlot(const ChannelState& channel, int slot);
    void writeSystem(const ChannelState& channel, int system, bool withFixedValues);
    void writePlayer(const ChannelState& channel, int slot);
    void writeAgreements(const ChannelState& channel);
    void writeChat(const ChannelState& channel, std::size_t appended);
    void loadSlots(ChannelState& channel);
    void loadSystems(ChannelState& channel);
    void loadPlayers(ChannelState& channel);
    void loadAgreements(ChannelState& channel);
    void loadChat(ChannelState& channel);
    std::vector<ChannelState> loadChannelsLocked(const std::optional<std::string>& only);

    std::mutex mutex_;
    Database db_;
};

}  // namespace qz::server

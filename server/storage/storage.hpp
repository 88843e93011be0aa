// Durable state in SQLite or PostgreSQL: accounts and every channel. Each request's changes
// to a channel are one transaction, committed before the reply leaves, so a restarted
// server, or another instance on the same database, answers on from exactly what was
// answered.
#pragma once

#include "game/changes.hpp"
#include "game/channel.hpp"
#include "replay/qzr_file.hpp"
#include "storage/recordings.hpp"
#include "sql/connection_pool.hpp"
#include "sql/sql_transaction.hpp"

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

// A channel as the lobby's list shows it.
struct ChannelSummary {
    std::string sessionId, name;
    bool hasPassword = false;
    int players = 0, maxPlayers = 0, stars = 0;
    bool started = false;  // a running game the asking player holds a seat in
    int spectatorDelay = 0;  // a running game others may watch, this many seconds behind
};
// A running game as the operator's list shows it.
struct GameSummary {
    std::string sessionId, name;
    double startedAt = 0;
    std::vector<std::string> players;  // by slot, empty for a free one
};

// What the operator's metrics read from the database, over every instance on it.
struct StoredCounts {
    long long runningGames = 0;
    long long playersOnline = 0;  // seated players who polled within the slot time-out
};

// What an address did, as the per-address rates count it. Stored as the number.
// Logins are counted by address (`login`) and by name (`nameLogin`, the name in place of the
// address).
enum class AddressEvent { failedLogin = 1, registration = 2, channelCreation = 3, login = 4, nameLogin = 5 };

// One entry of a game's recording as stored.
struct StoredEntry {
    long long sequence = 0;
    double at = 0;  // server clock
    replay::EntryKind kind = replay::EntryKind::full;
    std::string base64;  // the compressed bytes, base64 without padding
};

// A part of an ended game's recording as a player fetches it.
struct RecordingPart {
    std::string channel;
    std::vector<std::string> players;  // by seat, empty for a free one
    double startedAt = 0;              // server clock
    long long lastSequence = 0;        // the recording's last entry
    std::vector<StoredEntry> entries;  // those asked for, in order
};

// A running game as a spectator's poll needs it.
struct SpectatedGame {
    bool started = false;
    double startedAt = 0;
    int delay = 0;  // seconds; 0: nobody may watch
    std::vector<std::string> seated;
    std::vector<StoredEntry> entries;
};

class Storage {
public:
    // `database` is a SQLite file (":memory:" for tests) or a "postgresql://" URL; SQLite
    // keeps one connection, PostgreSQL up to `poolSize`. Runs the schema's steps.
    explicit Storage(const std::string& database, int poolSize = 1);

    Engine engine() const { return engine_; }

    std::vector<std::pair<std::string, std::string>> loadAccounts();
    // Adds or replaces an account (operator).
    void saveAccount(const std::string& name, const std::string& credential);
    // Adds an account unless the name is taken meanwhile; false then.
    bool addAccount(const std::string& name, const std::string& credential);
    std::optional<std::string> loadAccount(const std::string& name);

    // Operator's tools (storage_operator.cpp). A ban holds until `until` (server clock);
    // each is false when no such account or channel is stored.
    bool banAccount(const std::string& name, double until);
    bool deleteAccount(const std::string& name);
    // When the account's ban ends (0: never banned), or nothing for an unknown name.
    std::optional<double> bannedUntil(const std::string& name);
    std::vector<GameSummary> runningGames();
    bool closeChannel(const std::string& sessionId);
    StoredCounts countsFor(double now);
    // True when the database answers.
    bool answers();

    // Login bindings (storage_logins.cpp).
    void saveLogin(const std::string& name, const std::string& address, double at);
    std::optional<LoginRecord> loadLogin(const std::string& name);
    // Moves the time of the name's binding on, unless it is bound elsewhere meanwhile.
    void refreshLogin(const std::string& name, const std::string& address, double at);
    // True when some name logged in from this address at `since` or later.
    bool hasLoginFrom(const std::string& address, double since);

    // Channels not yet started that were created with this client version, the running ones
    // `seatedPlayer` (unless empty) holds a seat in and, with `spectated`, those that may be
    // watched.
    std::vector<ChannelSummary> listOpenChannels(const std::string& version, const std::string& seatedPlayer = "",
                                                 bool spectated = false);
    // What may stand in the way of a new channel, counted in the transaction that stores it
    // so that creations at the same moment (through any instance) count one after the other.
    struct CreationLimits {
        std::size_t open = 0;        // channels open at once
        int openFromCreator = 0;     // of them created from the creator's address
        int perHourFromCreator = 0;  // created from that address in the last hour
    };
    enum class Creation { created, serverFull, creatorFull };
    // Stores a new channel and counts its creation for the creator's address at `now`,
    // unless a limit is reached.
    Creation createChannel(const ChannelState& channel, const CreationLimits& limits, double now);
    std::vector<std::string> channelIds();
    // Channels the sweep may have to change: a lobby player silent since `silentSince`,
    // nobody present any more, or a lobby empty since `lobbyEmptySince`, a running game
    // since `gameEmptySince`.
    std::vector<std::string> sweepCandidates(double silentSince, double lobbyEmptySince, double gameEmptySince);
    // A (re)started instance counts as a poll of every seated player, since nobody could
    // reach it while it was down.
    void countStartAsPoll(double now);

    // One request's work on one channel: the channel's row stays locked against every other
    // request of every instance until the transaction ends.
    class ChannelTransaction {
    public:
        enum class Wait { yes, skipLocked };
        // `player`, when not empty, is the account the request speaks for: its ban is read
        // with the lock, in the same round trip.
        ChannelTransaction(Storage& storage, const std::string& sessionId, Wait wait, const std::string& player = {});
        ~ChannelTransaction();
        ChannelTransaction(const ChannelTransaction&) = delete;
        ChannelTransaction& operator=(const ChannelTransaction&) = delete;

        // False when no such channel is stored (or, with skipLocked, another has it).
        bool found() const { return found_; }
        long long revision() const { return revision_; }
        double emptySince() const { return emptySince_; }
        // The player's ban ends then (0: none; -1: no such account any more).
        double playerBannedUntil() const { return bannedUntil_; }
        ChannelState load();
        // The slots' stored polls, which change without a new revision; each slot keeps the
        // later of its own and the stored time.
        void loadPolls(ChannelState& channel);
        // Writes the changes and commits; returns the channel's revision from now on.
        long long commit(const ChannelState& channel, const ChannelChanges& changes);
        void deleteAndCommit();
        // Adds what `changes` did to a running game to its recording, in this transaction
        // (storage_recordings.cpp); `now` is the server clock.
        void record(ChannelState& channel, const ChannelChanges& changes, double now);
        // True when `name` watched the game since `since` (storage_spectators.cpp).
        bool watching(const std::string& name, double since);

    private:
        ConnectionPool::Lease lease_;
        std::string sessionId_;
        bool found_ = false;
        bool done_ = false;
        long long revision_ = 0;
        double emptySince_ = -1;
        double bannedUntil_ = 0;
    };

    // Whole-channel reads and writes, each its own transaction (tests, tools).
    // Recordings of games (storage_recordings.cpp), oldest first; a recording by its id,
    // or nothing (with `endedOnly`, nothing while its game still runs); deletes those whose
    // last entry is older than `before`, returns how many.
    std::vector<RecordingSummary> recordings();
    std::optional<replay::Recording> loadRecording(long long id, bool endedOnly = false);
    // What players may fetch: the recordings of games that have ended, newest first, at most
    // `limit`, without their sizes (which would read every entry).
    std::vector<RecordingSummary> endedRecordings(std::size_t limit);
    // An ended game's recording from the entry after `afterSequence`, entries until they
    // hold `bytes` (one at least); nothing for an unknown id or a game that still runs.
    std::optional<RecordingPart> endedRecordingPart(long long id, long long afterSequence, std::size_t bytes);
    // Spectators (storage_spectators.cpp). What a spectator needs of a game, or nothing when
    // no such channel is stored: with its recording's entries after `afterSequence` up to
    // `now` minus the game's delay, oldest first, from the last full state at or before that
    // moment when `afterSequence` is 0, and at most `limit` of them.
    std::optional<SpectatedGame> spectatedGame(const std::string& sessionId, long long afterSequence, double now,
                                               int limit);
    // Notes `name` as watching at `now`, unless `cap` others watched since `since`: false then.
    bool admitSpectator(const std::string& sessionId, const std::string& name, double now, double since, int cap);
    int deleteRecordingsBefore(double before);

    // Per-address rates (storage_rates.cpp).
    void noteAddressEvent(const std::string& address, AddressEvent kind, double at);
    int countAddressEvents(const std::string& address, AddressEvent kind, double since);
    void forgetAddressEventsBefore(double at);

    std::vector<ChannelState> loadChannels();
    std::optional<ChannelState> loadChannel(const std::string& sessionId);
    void save(const ChannelState& channel, const ChannelChanges& changes);
    void saveAll(const ChannelState& channel);
    void deleteChannel(const std::string& sessionId);

private:
    // A connection with a transaction begun (commit it through SqlTransaction).
    ConnectionPool::Lease begin();

    Engine engine_;
    ConnectionPool pool_;
    std::string lockRow_, lockRowSkipLocked_, lockRowWithBan_;
};

}  // namespace qz::server

// What the server keeps about one channel: its slots, the star map, every player's last
// ship lists and trade routes, the trade agreements and the chat.
#pragma once

#include "game/changes.hpp"
#include "base/limits.hpp"

#include <array>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace qz::server {

struct Slot {
    std::string name;  // empty: the slot is free ("Offen")
    int colour = 0;
    int ready = 0;
    double lastPoll = 0;    // server clock (wall time, shared by every instance)
    double storedPoll = 0;  // the time storage holds, at most kPollStoreSeconds behind
    // A running game's player the sweep found silent; told to the others once, until it polls again.
    bool away = false;
};

// System i (1-based) is element i - 1 of every array.
struct StarMap {
    std::vector<std::string> name;
    std::vector<int> x, y, owner, type;
    std::vector<int> population, supply, research, trade, shipyard;
    std::vector<int> shield, fortification, attacked;
    int background = 0;

    int size() const { return static_cast<int>(owner.size()); }
    void resize(int stars);
};

// A player's ships as last reported. The texts are re-sent exactly as received (they were
// checked on arrival); the numbers are what the battle rules need.
struct ShipLists {
    std::string type, hull, shield, docked, location, route, fleet, x, y, firepower;
    std::string highestFleet;
    std::vector<int> typeValues, dockedValues, locationValues, hullValues, shieldValues, firepowerValues;

    int count() const { return static_cast<int>(typeValues.size()); }
    bool empty() const { return typeValues.empty(); }
};

struct PlayerState {
    ShipLists ships;
    std::string tradeRoutes;
    // The ship list fields "si1" to "si12" as last sent, still encoded (memory only): the
    // same bytes again need neither decoding nor checking.
    std::vector<std::string> sentShipFields;
    // The player's own part of the game as its client last sent it (base64), empty when
    // none; it goes back only to this seat's login.
    std::string privateBlock;

    // What the ship lists, trade routes and private block take in memory.
    std::size_t bytes() const;
};

// offered[a][b]: slot a has offered trade to slot b. told[a][b]: the value the server last
// reported to a for b, so that a client repeating what it was told is not taken as a new offer.
struct Agreements {
    std::array<std::array<bool, kMaxPlayers + 1>, kMaxPlayers + 1> offered{};
    std::array<std::array<int, kMaxPlayers + 1>, kMaxPlayers + 1> told{};

    // 2 in force, 1 offered by a and not yet answered, 0 otherwise.
    int seenBy(int a, int b) const;
};

struct RecordingBase;

struct ChatLine {
    int sender = 0;
    std::string text;
};

// Parts of the "spiel" reply that stay the same for every requester until the data under
// them changes; most polls change nothing but their sender's own ships.
struct ReplyCache {
    std::string systems;
    std::array<std::string, kMaxPlayers + 1> slots;
    std::string battles;
    std::string chat;
    bool systemsValid = false;
    std::array<bool, kMaxPlayers + 1> slotsValid{};
    bool battlesValid = false;
    bool chatValid = false;

    void invalidate(const ChannelChanges& changes);
};

struct ChannelState {
    std::string sessionId;
    std::string name;
    bool hasPassword = false;  // clients only show whether there is one; it is never checked
    std::string version;
    std::string creatorAddress;  // the creator's client address: only a player from there hosts
    std::string hostName;        // the host once seated; only it may hold slot 1 again
    int maxPlayers = kMaxPlayers;
    int stars = 0;
    int spectatorDelay = kDefaultSpectatorDelay;  // seconds; 0: nobody may watch
    bool started = false;
    double startedAt = 0;  // server clock; 0 for a game stored by an older server
    std::array<Slot, kMaxPlayers + 1> slots;  // 1..maxPlayers
    std::array<PlayerState, kMaxPlayers + 1> players;
    StarMap map;
    Agreements agreements;
    std::deque<ChatLine> chat;
    std::map<std::string, int> previousSlot;  // lobby: where a timed-out name sat
    double emptySince = -1;                    // server clock, -1 while someone is present
    ReplyCache replyCache;
    // What this instance last put into the game's recording (memory only; none yet: the
    // next entry is a full state).
    std::shared_ptr<RecordingBase> recording;

    int slotOf(std::string_view playerName) const;
    int occupiedSlots() const;
    std::size_t shipBytes() const;  // PlayerState::bytes of every slot
};

// What this instance holds of a channel: a copy of the stored state, good while the stored
// revision is still `revision` (-1: nothing loaded yet).
struct Channel {
    std::mutex mutex;
    ChannelState state;
    long long revision = -1;
    // When this instance last wrote each spectator's poll; apart from the state and its
    // lock, so that spectators never wait for the players.
    std::mutex spectatorMutex;
    std::map<std::string, double> spectatorPolls;
};

using ChannelPtr = std::shared_ptr<Channel>;

// Records a poll of the player in `slot`: it is present, and so is somebody in the channel.
// The time goes to storage only when the stored one is older than kPollStoreSeconds. A player
// who was away is announced back in the chat.
void markPoll(ChannelState& state, int slot, double now, ChannelChanges& changes);

// After a read from storage: each slot still held by the same player keeps the later of its
// stored time and the time this instance saw (`cached`), which it may not have written yet.
void keepLaterPolls(ChannelState& state, const std::array<Slot, kMaxPlayers + 1>& cached);

// Appends a server message (sender 5) to the chat, keeping the history short.
void addChatLine(ChannelState& state, int sender, std::string text, ChannelChanges& changes);

}  // namespace qz::server

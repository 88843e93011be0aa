#include "base/bad_request.hpp"
#include "base/refusals.hpp"
#include "protocol/commands.hpp"
#include "storage/credentials.hpp"
#include "protocol/lobby_reply.hpp"
#include "base/log.hpp"
#include "game/map_upload.hpp"
#include "base/number_list.hpp"
#include "game/plausibility.hpp"
#include "base/text_checks.hpp"
#include "game/chat_lines.hpp"

#include <algorithm>
#include <optional>

namespace qz::server {

namespace {

enum class PollKind { join, lobby, upload };

struct LobbyPoll {
    PollKind kind = PollKind::join;
    std::string name;
    int colour = 0;
    int ready = 0;
    std::optional<int> stars;
    std::optional<StarMap> map;
};

LobbyPoll readLobbyPoll(CommandContext& context, const FormFields& form) {
    LobbyPoll poll;
    poll.name = form.value("i2");
    requireName(poll.name, "Spielername");
    if (!context.accounts.exists(poll.name)) throw BadRequest(refusal("Unbekannter Spieler"));
    requireSpeaksFor(context, poll.name);
    const std::string_view started = form.value("i1");
    if (started.empty()) return poll;
    if (started == "0" || started == "1") {
        poll.kind = PollKind::lobby;
    } else if (started == "42") {
        poll.kind = PollKind::upload;
        poll.map = readMapUpload(form, kMaxPlayers);
        requirePlausibleMap(*poll.map);
    } else {
        throw BadRequest(refusal("Ungueltiger Spielstatus"));
    }
    if (!form.value("i3").empty()) poll.colour = requireIntInRange(form.value("i3"), "i3", 0, kColourCount);
    if (!form.value("i4").empty()) poll.ready = requireIntInRange(form.value("i4"), "i4", 0, 1);
    if (!form.value("i5").empty()) poll.stars = requireIntInRange(form.value("i5"), "i5", 1, kMaxStars);
    return poll;
}

bool slotFree(const ChannelState& c, int n) { return n >= 1 && n <= c.maxPlayers && c.slots[n].name.empty(); }

// The host is the first player polling the lobby from the creator's address, and slot 1
// stays reserved for it. (A channel stored by an older server knows no creator address.)
bool mayHost(const ChannelState& c, const std::string& name, const std::string& client) {
    if (!c.hostName.empty()) return c.hostName == name;
    return c.creatorAddress.empty() || c.creatorAddress == client;
}

// Where a player without a slot sits down: the host back in slot 1; anybody else in the
// slot it held before when that is free, else the first free slot from 2 on.
int chooseSlot(ChannelState& c, const std::string& name, bool lobbyPoll, const std::string& client) {
    const bool host = lobbyPoll && mayHost(c, name, client);
    if (host && slotFree(c, 1)) return 1;
    const auto previous = c.previousSlot.find(name);
    if (previous != c.previousSlot.end() && previous->second >= 2 && slotFree(c, previous->second)) {
        return previous->second;
    }
    for (int n = 2; n <= c.maxPlayers; ++n) {
        if (slotFree(c, n)) return n;
    }
    return 0;
}

bool colourTaken(const ChannelState& c, int colour, int except) {
    for (int n = 1; n <= c.maxPlayers; ++n) {
        if (n != except && !c.slots[n].name.empty() && c.slots[n].colour == colour) return true;
    }
    return false;
}

void applyLobbyChoices(ChannelState& c, int slot, const LobbyPoll& poll, ChannelChanges& changes) {
    Slot& s = c.slots[slot];
    const int oldColour = s.colour;
    const int oldReady = s.ready;
    if (poll.colour > 0 && !colourTaken(c, poll.colour, slot)) s.colour = poll.colour;
    s.ready = s.colour > 0 ? poll.ready : 0;
    if (s.colour != oldColour || s.ready != oldReady) changes.slots[slot] = true;
    if (slot == 1 && poll.stars && *poll.stars != c.stars) {
        c.stars = *poll.stars;
        changes.header = true;
    }
}

void startGame(ChannelState& c, StarMap map, double now, ChannelChanges& changes) {
    c.stars = map.size();
    c.map = std::move(map);
    c.started = true;
    c.startedAt = now;
    changes.header = true;
    changes.wholeMap = true;
    logLine(LogLevel::info, "game started channel=" + c.sessionId + " stars=" + std::to_string(c.stars));
}

}  // namespace

std::string listChannels(CommandContext& context, const FormFields& form) {
    const std::string version(form.value("i1"));
    requireName(version, "Version");
    // A player who names itself also sees the running games it holds a seat in, marked in a
    // seventh list, so that it can go back after a crash or from another machine. The key is
    // one no other request uses: clients leave the pairs of earlier requests in their tables,
    // and a login's "i2" (the password hash) comes along with their list requests.
    const std::string player(form.value("sitz"));
    if (!player.empty()) {
        requireName(player, "Spielername");
        requireSpeaksFor(context, player);
    }
    // A client that shows running games to watch asks for them, and reads their delays in an
    // eighth list; games are watched through their recordings, so without those none is offered.
    const bool spectated = !form.value("zuschauen").empty();
    std::vector<ChannelSummary> rows =
        context.storage.listOpenChannels(version, player, spectated && context.config.keepRecordingsSeconds > 0);
    std::sort(rows.begin(), rows.end(), [](const ChannelSummary& a, const ChannelSummary& b) {
        return a.name != b.name ? a.name < b.name : a.sessionId < b.sessionId;
    });
    std::string ids, names, passwords, players, maxima, stars, running, delays;
    for (const ChannelSummary& row : rows) {
        ids += ',' + row.sessionId;
        names += ',' + row.name;
        passwords += row.hasPassword ? ",*" : ",";
        players += ',' + std::to_string(row.players);
        maxima += ',' + std::to_string(row.maxPlayers);
        stars += ',' + std::to_string(row.stars);
        running += row.started ? ",1" : ",";
        delays += row.spectatorDelay > 0 ? ',' + std::to_string(row.spectatorDelay) : ",";
    }
    std::string reply =
        "channel_auflisten;;" + ids + ";;" + names + ";;" + passwords + ";;" + players + ";;" + maxima + ";;" + stars;
    if (!player.empty() || spectated) reply += ";;" + running;
    if (spectated) reply += ";;" + delays;
    return reply;
}

std::string createChannel(CommandContext& context, const FormFields& form) {
    auto channel = std::make_shared<Channel>();
    ChannelState& c = channel->state;
    c.name = form.value("i1");
    requireName(c.name, "Channelname");
    requireOptionalName(form.value("i2"), "Channelpasswort");
    c.hasPassword = !form.value("i2").empty();
    c.maxPlayers = requireIntInRange(form.value("i3"), "i3", kMinPlayers, kMaxPlayers);
    c.stars = requireIntInRange(form.value("i4"), "i4", 1, kMaxStars);
    c.version = form.value("i5");
    requireName(c.version, "Version");
    // Older clients do not ask: their games may be watched a minute behind.
    if (const std::string_view delay = form.value("zuschauer"); !delay.empty()) {
        c.spectatorDelay = -1;
        for (int offered : kSpectatorDelays) {
            if (delay == std::to_string(offered)) c.spectatorDelay = offered;
        }
        if (c.spectatorDelay < 0) throw BadRequest(refusal("Zuschauerwahl ungueltig"));
    }
    // Slot 1 waits for a player of the creator's address; creating needs a login from there.
    if (!context.logins.anyFrom(context.client, context.now)) throw BadRequest(refusal("Nicht angemeldet"));
    const AddressLimits& limits = context.config.perAddress;
    c.creatorAddress = context.client;
    c.sessionId = newSessionId();
    c.emptySince = context.now;
    switch (context.storage.createChannel(c, {kMaxOpenChannels, limits.openChannels, limits.channelCreationsPerHour},
                                          context.now)) {
    case Storage::Creation::creatorFull: throw BadRequest(refusal("Zu viele Channels von dieser Adresse"));
    case Storage::Creation::serverFull: throw BadRequest(refusal("Server voll"));
    case Storage::Creation::created: break;
    }
    channel->revision = 0;
    // The request names no player, so slot 1 is still empty; an empty slot record would
    // overwrite the host's own name in the game, and its polls would then carry no name.
    std::string reply = buildLobbyReply(c, false);
    context.channels.add(std::move(channel));
    logLine(LogLevel::info, "channel created id=" + c.sessionId + " name=" + c.name + " from=" + c.creatorAddress);
    return reply;
}

std::string channelPoll(CommandContext& context, const std::string& sessionId, const FormFields& form) {
    LobbyPoll poll = readLobbyPoll(context, form);
    OpenChannel open(context, sessionId, OpenChannel::Wait::yes, poll.name);
    ChannelState& c = open.state();
    int slot = c.slotOf(poll.name);
    if (poll.kind == PollKind::upload && !c.started) {
        if (slot != 1) throw BadRequest(refusal("Nur der Host startet das Spiel"));
        for (int owner : poll.map->owner) {
            if (owner > c.maxPlayers) throw BadRequest(refusal("Besitzer ausserhalb in i9"));
        }
    }
    // A running game's seats belong to their logins until it ends.
    if (slot == 0 && c.started) throw BadRequest(refusal("Spiel laeuft bereits"));
    ChannelChanges changes;
    if (slot == 0) {
        slot = chooseSlot(c, poll.name, poll.kind != PollKind::join, context.client);
        if (slot > 0) {
            c.slots[slot] = Slot{poll.name, 0, 0, context.now};
            changes.previousSlots = c.previousSlot.erase(poll.name) > 0;
            if (slot == 1) {
                c.hostName = poll.name;
                changes.header = true;
            }
            changes.slots[slot] = true;
            addChatLine(c, kServerChatSender, joinedLine(poll.name), changes);
            logLine(LogLevel::info, "player joined channel=" + c.sessionId + " slot=" + std::to_string(slot) +
                                        " name=" + poll.name);
        }
    }
    if (slot > 0) {
        markPoll(c, slot, context.now, changes);
        if (!c.started && poll.kind != PollKind::join) applyLobbyChoices(c, slot, poll, changes);
        if (poll.kind == PollKind::upload && !c.started) startGame(c, std::move(*poll.map), context.now, changes);
    }
    open.commit(changes);
    return buildLobbyReply(c);
}

}  // namespace qz::server

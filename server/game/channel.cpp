#include "game/channel.hpp"
#include "game/chat_lines.hpp"

#include <algorithm>

namespace qz::server {

void StarMap::resize(int stars) {
    const auto n = static_cast<std::size_t>(stars);
    name.resize(n);
    for (auto* values : {&x, &y, &owner, &type, &population, &supply, &research, &trade, &shipyard, &shield,
                         &fortification, &attacked}) {
        values->resize(n);
    }
}

void ReplyCache::invalidate(const ChannelChanges& changes) {
    if (changes.wholeMap || !changes.systems.empty()) systemsValid = false;
    for (int n = 1; n <= kMaxPlayers; ++n) {
        if (changes.players[n]) {
            slotsValid[n] = false;
            battlesValid = false;
        }
    }
    if (changes.wholeMap) battlesValid = false;
    if (changes.chatAppended > 0) chatValid = false;
}

int Agreements::seenBy(int a, int b) const {
    if (offered[a][b] && offered[b][a]) return 2;
    return offered[a][b] ? 1 : 0;
}

int ChannelState::slotOf(std::string_view playerName) const {
    for (int n = 1; n <= maxPlayers; ++n) {
        if (!slots[n].name.empty() && slots[n].name == playerName) return n;
    }
    return 0;
}

std::size_t PlayerState::bytes() const {
    const ShipLists& s = ships;
    std::size_t total = tradeRoutes.size() + s.highestFleet.size() + privateBlock.size();
    for (const std::string* text : {&s.type, &s.hull, &s.shield, &s.docked, &s.location, &s.route, &s.fleet, &s.x,
                                    &s.y, &s.firepower}) {
        total += text->size();
    }
    for (const std::vector<int>* values : {&s.typeValues, &s.dockedValues, &s.locationValues, &s.hullValues,
                                           &s.shieldValues, &s.firepowerValues}) {
        total += values->size() * sizeof(int);
    }
    for (const std::string& field : sentShipFields) total += field.size();
    return total;
}

std::size_t ChannelState::shipBytes() const {
    std::size_t total = 0;
    for (int n = 1; n <= kMaxPlayers; ++n) total += players[n].bytes();
    return total;
}

int ChannelState::occupiedSlots() const {
    int count = 0;
    for (int n = 1; n <= maxPlayers; ++n) count += slots[n].name.empty() ? 0 : 1;
    return count;
}

void markPoll(ChannelState& state, int slot, double now, ChannelChanges& changes) {
    Slot& s = state.slots[slot];
    if (s.away) {
        s.away = false;
        changes.slots[slot] = true;
        addChatLine(state, kServerChatSender, backLine(s.name), changes);
    }
    s.lastPoll = std::max(s.lastPoll, now);
    if (now - s.storedPoll >= kPollStoreSeconds) {
        s.storedPoll = now;
        changes.polled[slot] = true;
    }
    changes.emptySince = state.emptySince >= 0;
    state.emptySince = -1;
}

void keepLaterPolls(ChannelState& state, const std::array<Slot, kMaxPlayers + 1>& cached) {
    for (int n = 1; n <= kMaxPlayers; ++n) {
        Slot& s = state.slots[n];
        if (!s.name.empty() && s.name == cached[n].name) s.lastPoll = std::max(s.lastPoll, cached[n].lastPoll);
    }
}

void addChatLine(ChannelState& state, int sender, std::string text, ChannelChanges& changes) {
    state.chat.push_back({sender, std::move(text)});
    while (state.chat.size() > kChatHistoryLines) state.chat.pop_front();
    ++changes.chatAppended;
}

}  // namespace qz::server

#include "protocol/game_reply.hpp"

#include "protocol/lobby_reply.hpp"
#include "base/number_list.hpp"

namespace qz::server {

namespace {

// "#" + prefix + digit + suffix + "-"; the closing mark mirrors it.
void record(std::string& out, const char* prefix, int n, const char* suffix, std::string_view content) {
    const char digit = static_cast<char>('0' + n);
    out += '#';
    out += prefix;
    out += digit;
    out += suffix;
    out += '-';
    out += content;
    out += '-';
    out += prefix;
    out += digit;
    out += suffix;
    out += '#';
}

void appendShipRecords(std::string& out, int n, const ShipLists& ships) {
    if (ships.empty()) return;
    record(out, "si", n, "typ", ships.type);
    record(out, "si", n, "doc", ships.docked);
    record(out, "si", n, "uml", ships.location);
    record(out, "si", n, "bwg", ships.route);
    record(out, "si", n, "fid", ships.fleet);
    record(out, "si", n, "pox", ships.x);
    record(out, "si", n, "poy", ships.y);
    if (!ships.highestFleet.empty()) record(out, "si", n, "fig", ships.highestFleet);
}

void appendBattle(std::string& out, const ChannelState& c, const Battle& battle) {
    const std::string number = std::to_string(battle.system);
    out += "#kuml";
    out += number;
    out += '-';
    std::string ids, hulls, shields, firepower;
    for (int n = 1; n <= kMaxPlayers; ++n) {
        const std::vector<int>& members = battle.ships[n];
        if (members.empty()) continue;
        const ShipLists& ships = c.players[n].ships;
        std::vector<int> hull, shield, fire;
        for (int ship : members) {
            const auto k = static_cast<std::size_t>(ship - 1);
            hull.push_back(ships.hullValues[k]);
            shield.push_back(ships.shieldValues[k]);
            fire.push_back(ships.firepowerValues[k]);
        }
        ids.clear();
        hulls.clear();
        shields.clear();
        firepower.clear();
        appendIntList(ids, members);
        appendIntList(hulls, hull);
        appendIntList(shields, shield);
        appendIntList(firepower, fire);
        record(out, "sp", n, "ksid", ids);
        record(out, "sp", n, "klbp", hulls);
        record(out, "sp", n, "ksld", shields);
        record(out, "sp", n, "kfkt", firepower);
    }
    out += '-';
    out += number;
    out += "kuml#";
}

void appendChat(std::string& out, const std::deque<ChatLine>& chat) {
    if (chat.empty()) return;
    out += "#chat-";
    bool first = true;
    for (const ChatLine& line : chat) {
        if (!first) out += ";-;";
        first = false;
        out += std::to_string(line.sender);
        out += ";-;";
        out += line.text;
    }
    out += "-chat#";
}

void refreshCache(ChannelState& c) {
    ReplyCache& cache = c.replyCache;
    if (!cache.systemsValid) {
        cache.systems.clear();
        appendSystemList(cache.systems, "BES", c.map.owner);
        appendSystemList(cache.systems, "TYP", c.map.type);
        appendSystemList(cache.systems, "SLD", c.map.shield);
        appendSystemList(cache.systems, "BFG", c.map.fortification);
        appendSystemList(cache.systems, "PAG", c.map.attacked);
        cache.systemsValid = true;
    }
    for (int n = 1; n <= c.maxPlayers; ++n) {
        if (cache.slotsValid[n]) continue;
        std::string& slot = cache.slots[n];
        slot.clear();
        appendShipRecords(slot, n, c.players[n].ships);
        if (!c.players[n].tradeRoutes.empty()) record(slot, "s", n, "hweg", c.players[n].tradeRoutes);
        cache.slotsValid[n] = true;
    }
    if (!cache.battlesValid) {
        cache.battles.clear();
        for (const Battle& battle : findBattles(c)) appendBattle(cache.battles, c, battle);
        cache.battlesValid = true;
    }
    if (!cache.chatValid) {
        cache.chat.clear();
        appendChat(cache.chat, c.chat);
        cache.chatValid = true;
    }
}

}  // namespace

std::string buildGameReply(ChannelState& c, int requester, bool withPrivateBlock, bool privateBlockDropped) {
    refreshCache(c);
    const ReplyCache& cache = c.replyCache;
    const std::string& privateBlock = c.players[requester].privateBlock;
    const bool addBlock = withPrivateBlock && !privateBlock.empty();
    std::size_t size = cache.systems.size() + cache.battles.size() + cache.chat.size() + 64;
    if (addBlock) size += privateBlock.size() + 16;
    for (int n = 1; n <= c.maxPlayers; ++n) size += cache.slots[n].size() + 20;
    std::string out;
    out.reserve(size);
    out += cache.systems;
    for (int n = 1; n <= c.maxPlayers; ++n) {
        out += cache.slots[n];
        if (n != requester) record(out, "s", n, "hvtg", std::to_string(c.agreements.seenBy(requester, n)));
    }
    out += cache.battles;
    out += cache.chat;
    if (addBlock) {
        out += "#privat-";
        out += privateBlock;
        out += "-privat#";
    }
    if (privateBlockDropped) out += "#privatvoll-1-privatvoll#";
    return out;
}

}  // namespace qz::server

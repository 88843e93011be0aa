#include "game_reply.hpp"

#include "lobby_reply.hpp"
#include "number_list.hpp"

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
    out += "#kuml" + number + '-';
    std::string ids, hulls, shields, firepower;
    for (int n = 1; n <= kMaxPlayers; ++n) {
        const std::vector<int>& members = battle.ships[n];
        if (members.empty()) continue;
        const ShipLists& ships = c.players[n].ships;
        ids.clear();
        hulls.clear();
        shields.clear();
        firepower.clear();
        appendIntList(ids, members);
        for (int ship : members) {
            const auto k = static_cast<std::size_t>(ship - 1);
            appendIntList(hulls, {ships.hullValues[k]});
            appendIntList(shields, {ships.shieldValues[k]});
            appendIntList(firepower, {ships.firepowerValues[k]});
        }
        record(out, "sp", n, "ksid", ids);
        record(out, "sp", n, "klbp", hulls);
        record(out, "sp", n, "ksld", shields);
        record(out, "sp", n, "kfkt", firepower);
    }
    out += '-' + number + "kuml#";
}

std::size_t estimatedSize(const ChannelState& c) {
    std::size_t size = 512 + static_cast<std::size_t>(c.map.size()) * 20;
    for (int n = 1; n <= c.maxPlayers; ++n) {
        const ShipLists& s = c.players[n].ships;
        size += s.type.size() + s.docked.size() + s.location.size() + s.route.size() + s.fleet.size() + s.x.size() +
                s.y.size() + c.players[n].tradeRoutes.size() + 160;
    }
    return size + c.chat.size() * 64;
}

}  // namespace

std::string buildGameReply(const ChannelState& c, int requester) {
    std::string out;
    out.reserve(estimatedSize(c));
    appendSystemList(out, "BES", c.map.owner);
    appendSystemList(out, "TYP", c.map.type);
    appendSystemList(out, "SLD", c.map.shield);
    appendSystemList(out, "BFG", c.map.fortification);
    appendSystemList(out, "PAG", c.map.attacked);
    for (int n = 1; n <= c.maxPlayers; ++n) {
        appendShipRecords(out, n, c.players[n].ships);
        if (!c.players[n].tradeRoutes.empty()) record(out, "s", n, "hweg", c.players[n].tradeRoutes);
        if (n != requester) record(out, "s", n, "hvtg", std::to_string(c.agreements.seenBy(requester, n)));
    }
    for (const Battle& battle : findBattles(c)) appendBattle(out, c, battle);
    if (!c.chat.empty()) {
        out += "#chat-";
        bool first = true;
        for (const ChatLine& line : c.chat) {
            if (!first) out += ";-;";
            first = false;
            out += std::to_string(line.sender);
            out += ";-;";
            out += line.text;
        }
        out += "-chat#";
    }
    return out;
}

}  // namespace qz::server

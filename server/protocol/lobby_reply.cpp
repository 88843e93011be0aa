#include "protocol/lobby_reply.hpp"

#include "base/number_list.hpp"

namespace qz::server {

namespace {

void openRecord(std::string& out, const char* tag) {
    out += '#';
    out += tag;
    out += '-';
}

void closeRecord(std::string& out, const char* tag) {
    out += '-';
    out += tag;
    out += '#';
}

}  // namespace

void appendSystemList(std::string& out, const char* tag, const std::vector<int>& values) {
    openRecord(out, tag);
    appendIntList(out, values);
    closeRecord(out, tag);
}

std::string buildLobbyReply(const ChannelState& c, bool withSlots) {
    std::string out;
    out.reserve(c.started ? 256 + static_cast<std::size_t>(c.map.size()) * 80 : 256);
    out += "channel;;";
    out += c.started ? '1' : '0';
    out += ";;";
    out += std::to_string(c.stars);
    out += ";;";
    openRecord(out, "sid");
    out += c.sessionId;
    closeRecord(out, "sid");
    for (int n = 1; withSlots && n <= c.maxPlayers; ++n) {
        const std::string tag = "SP" + std::to_string(n);
        const Slot& slot = c.slots[n];
        openRecord(out, tag.c_str());
        out += ',' + std::to_string(n) + ',' + slot.name + ',' + std::to_string(slot.colour) + ',' +
               std::to_string(slot.ready);
        closeRecord(out, tag.c_str());
    }
    if (!c.started) return out;
    const StarMap& m = c.map;
    openRecord(out, "NAM");
    for (const std::string& name : m.name) {
        out += ',';
        out += name;
    }
    closeRecord(out, "NAM");
    appendSystemList(out, "SLD", m.shield);
    appendSystemList(out, "BFG", m.fortification);
    appendSystemList(out, "PAG", m.attacked);
    appendSystemList(out, "POX", m.x);
    appendSystemList(out, "POY", m.y);
    appendSystemList(out, "BES", m.owner);
    appendSystemList(out, "TYP", m.type);
    appendSystemList(out, "ENW", m.population);
    appendSystemList(out, "VRS", m.supply);
    appendSystemList(out, "FOP", m.research);
    appendSystemList(out, "HDM", m.trade);
    appendSystemList(out, "WFT", m.shipyard);
    openRecord(out, "STK");
    out += std::to_string(m.background);
    closeRecord(out, "STK");
    return out;
}

}  // namespace qz::server

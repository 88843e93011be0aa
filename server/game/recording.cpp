#include "game/recording.hpp"

#include "game/game_rules.hpp"

#include <algorithm>

namespace qz::server {

namespace {

static_assert(replay::kChatLines == kChatHistoryLines, "a recorded state holds the chat the server keeps");
static_assert(replay::kSeats == kMaxPlayers);

// Per battle: the system, then for each seat ":" and the numbers of its ships there.
std::string battleText(const ChannelState& c) {
    std::string text;
    for (const Battle& battle : findBattles(c)) {
        if (!text.empty()) text += ';';
        text += std::to_string(battle.system);
        for (int n = 1; n <= kMaxPlayers; ++n) {
            text += ':';
            bool first = true;
            for (int ship : battle.ships[n]) {
                if (!first) text += ',';
                first = false;
                text += std::to_string(ship);
            }
        }
    }
    return text;
}

// True when what decides the battles (types, hangars, locations) changed.
bool writeSeatTexts(replay::ChangeWriter& writer, const ChannelState& c, int n) {
    const PlayerState& p = c.players[n];
    const ShipLists& s = p.ships;
    using F = replay::ShipField;
    const std::pair<F, const std::string*> texts[] = {
        {F::type, &s.type},   {F::hull, &s.hull},   {F::shield, &s.shield},     {F::docked, &s.docked},
        {F::location, &s.location}, {F::route, &s.route}, {F::fleet, &s.fleet}, {F::x, &s.x},
        {F::y, &s.y},         {F::firepower, &s.firepower}, {F::highestFleet, &s.highestFleet},
        {F::tradeRoutes, &p.tradeRoutes}};
    bool standing = false;
    for (const auto& [field, text] : texts) {
        const bool changed = writer.seatText(n, field, *text);
        standing = standing || (changed && (field == F::type || field == F::docked || field == F::location));
    }
    return standing;
}

void writeSystem(replay::ChangeWriter& writer, const StarMap& m, std::size_t i) {
    writer.system(i, m.type[i], m.owner[i], m.shield[i], m.fortification[i], m.attacked[i]);
}

}  // namespace

replay::ReplayState recordedState(const ChannelState& c) {
    replay::ReplayState state;
    const StarMap& m = c.map;
    state.systems.resize(static_cast<std::size_t>(m.size()));
    for (std::size_t i = 0; i < state.systems.size(); ++i) {
        replay::StarSystem& s = state.systems[i];
        s.name = m.name[i];
        s.x = m.x[i];
        s.y = m.y[i];
    }
    ChannelChanges all;
    all.wholeMap = true;
    all.chatAppended = c.chat.size();
    for (int n = 1; n <= kMaxPlayers; ++n) all.slots[n] = all.players[n] = true;
    replay::ChangeWriter writer(state);
    writeRecordedChanges(writer, c, all);
    return state;
}

bool changesRecorded(const ChannelChanges& changes) {
    if (changes.wholeMap || !changes.systems.empty() || changes.chatAppended > 0) return true;
    return std::any_of(changes.slots.begin() + 1, changes.slots.end(), [](bool b) { return b; }) ||
           std::any_of(changes.players.begin() + 1, changes.players.end(), [](bool b) { return b; });
}

void writeRecordedChanges(replay::ChangeWriter& writer, const ChannelState& c, const ChannelChanges& changes) {
    const StarMap& m = c.map;
    if (changes.wholeMap) {
        for (std::size_t i = 0; i < static_cast<std::size_t>(m.size()); ++i) writeSystem(writer, m, i);
    } else {
        for (int system : changes.systems) writeSystem(writer, m, static_cast<std::size_t>(system - 1));
    }
    bool ships = false;
    for (int n = 1; n <= kMaxPlayers; ++n) {
        const Slot& slot = c.slots[n];
        if (changes.slots[n]) writer.seat(n, slot.name, slot.colour, slot.away);
        if (changes.players[n] && writeSeatTexts(writer, c, n)) ships = true;
    }
    // Battles follow from where the ships stand, so only ships that were built, lost, docked
    // or arrived can change them; fleets in flight cannot.
    if (ships) writer.battles(battleText(c));
    const std::size_t appended = std::min(changes.chatAppended, c.chat.size());
    for (std::size_t k = c.chat.size() - appended; k < c.chat.size(); ++k) writer.chatLine(c.chat[k].sender, c.chat[k].text);
}

}  // namespace qz::server

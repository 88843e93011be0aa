#include "game/game_rules.hpp"

#include "base/form.hpp"
#include "base/log.hpp"
#include "game/ship_lists.hpp"
#include "game/chat_lines.hpp"

#include <algorithm>
#include <iterator>
#include <limits>
#include <map>

namespace qz::server {

namespace {

std::size_t at(int system) { return static_cast<std::size_t>(system - 1); }

int heavyBattleshipsAt(const ShipLists& ships, int system) {
    int count = 0;
    for (int i = 0; i < ships.count(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (ships.typeValues[k] == kHeavyBattleshipType && ships.dockedValues[k] == 0 &&
            ships.locationValues[k] == system) {
            ++count;
        }
    }
    return count;
}

bool sameAsSentBefore(const PlayerState& player, const FormFields& form) {
    if (player.sentShipFields.size() != std::size(kShipFields)) return false;
    for (std::size_t k = 0; k < std::size(kShipFields); ++k) {
        if (form.raw(kShipFields[k]) != player.sentShipFields[k]) return false;
    }
    return true;
}

void applyShips(ChannelState& c, int slot, GameInput& input, ChannelChanges& changes) {
    PlayerState& player = c.players[slot];
    ShipLists& stored = player.ships;
    if (input.ships == GameInput::Ships::replace) {
        const FormFields& form = *input.form;
        if (sameAsSentBefore(player, form)) return;
        const ShipListTexts next{form.value(kShipFields[0]), form.value(kShipFields[1]), form.value(kShipFields[2]),
                                 form.value(kShipFields[3]), form.value(kShipFields[4]), form.value(kShipFields[5]),
                                 form.value(kShipFields[6]), form.value(kShipFields[7]), form.value(kShipFields[8]),
                                 form.value(kShipFields[9]), form.value(kShipFields[10])};
        const bool same = stored.type == next.type && stored.hull == next.hull && stored.shield == next.shield &&
                          stored.docked == next.docked && stored.location == next.location &&
                          stored.route == next.route && stored.fleet == next.fleet && stored.x == next.x &&
                          stored.y == next.y && stored.firepower == next.firepower &&
                          stored.highestFleet == next.highestFleet;
        if (!same) {
            stored = readShipLists(next, c.map.size());
            changes.players[slot] = true;
        }
        player.sentShipFields.clear();
        for (const char* key : kShipFields) player.sentShipFields.emplace_back(form.raw(key));
    } else if (input.ships == GameInput::Ships::clear && (!stored.empty() || !stored.type.empty())) {
        // "nok" means the player has no ships left; its old lists must not linger in battles.
        stored = ShipLists();
        player.sentShipFields.clear();
        changes.players[slot] = true;
    }
}

}  // namespace

void applyColonisation(ChannelState& c, int slot, int system, ChannelChanges& changes) {
    if (system < 1 || system > c.map.size() || c.map.owner[at(system)] != 0) return;
    c.map.owner[at(system)] = slot;
    changes.systems.insert(system);
    logLine(LogLevel::info, "system colonised channel=" + c.sessionId + " system=" + std::to_string(system) +
                                " slot=" + std::to_string(slot));
}

void applyPlanetReport(ChannelState& c, int slot, const PlanetReport& report, ChannelChanges& changes) {
    const std::size_t i = at(report.system);
    if (c.map.owner[i] != slot) return;
    int shield = report.shield;
    int fortification = report.fortification;
    if (c.map.attacked[i] > 0) {
        shield = std::min(shield, c.map.shield[i]);
        fortification = std::min(fortification, c.map.fortification[i]);
    }
    if (shield == c.map.shield[i] && fortification == c.map.fortification[i]) return;
    c.map.shield[i] = shield;
    c.map.fortification[i] = fortification;
    changes.systems.insert(report.system);
}

void applyAttack(ChannelState& c, int slot, const AttackReport& attack, ChannelChanges& changes) {
    const std::size_t i = at(attack.system);
    const int owner = c.map.owner[i];
    if (owner == 0 || owner == slot) return;
    const long long allowed =
        static_cast<long long>(kDamagePerHeavyBattleship) * heavyBattleshipsAt(c.players[slot].ships, attack.system);
    const int damage = static_cast<int>(std::min<long long>(attack.damage, allowed));
    if (damage <= 0) return;
    int& shield = c.map.shield[i];
    int& fortification = c.map.fortification[i];
    if (shield >= damage) {
        shield -= damage;
    } else {
        const int rest = damage - std::max(shield, 0);
        shield = 0;
        fortification = fortification < std::numeric_limits<int>::min() + rest ? std::numeric_limits<int>::min()
                                                                                : fortification - rest;
    }
    c.map.attacked[i] = kAttackRounds;
    changes.systems.insert(attack.system);
    if (fortification > 0) return;
    fortification = 0;
    c.map.owner[i] = slot;
    const std::string& attacker = c.slots[slot].name;
    addChatLine(c, kServerChatSender, conqueredLine(attacker, c.map.name[i]), changes);
    logLine(LogLevel::info, "system conquered channel=" + c.sessionId + " system=" + std::to_string(attack.system) +
                                " from=" + std::to_string(owner) + " to=" + std::to_string(slot));
}

void countDownAttacks(ChannelState& c, int slot, ChannelChanges& changes) {
    for (int s = 1; s <= c.map.size(); ++s) {
        const std::size_t i = at(s);
        if (c.map.owner[i] == slot && c.map.attacked[i] > 0) {
            --c.map.attacked[i];
            changes.systems.insert(s);
        }
    }
}

void applyAgreements(ChannelState& c, int slot, const std::array<int, kMaxPlayers + 1>& values,
                     ChannelChanges& changes) {
    Agreements& a = c.agreements;
    for (int k = 1; k <= c.maxPlayers; ++k) {
        if (k == slot || c.slots[k].name.empty()) continue;
        if (values[k] == 1 && a.told[slot][k] != 1 && !a.offered[slot][k]) {
            a.offered[slot][k] = true;
            changes.agreements = true;
        } else if (values[k] == 3 && (a.offered[slot][k] || a.offered[k][slot])) {
            a.offered[slot][k] = false;
            a.offered[k][slot] = false;
            changes.agreements = true;
        }
    }
}

void noteAgreementsTold(ChannelState& c, int slot, ChannelChanges& changes) {
    Agreements& a = c.agreements;
    for (int k = 1; k <= c.maxPlayers; ++k) {
        if (k == slot) continue;
        const int seen = a.seenBy(slot, k);
        if (a.told[slot][k] != seen) {
            a.told[slot][k] = seen;
            changes.agreements = true;
        }
    }
}

void applyGameInput(ChannelState& c, int slot, GameInput&& input, ChannelChanges& changes) {
    applyShips(c, slot, input, changes);
    if (input.tradeRoutes && c.players[slot].tradeRoutes != *input.tradeRoutes) {
        c.players[slot].tradeRoutes = std::move(*input.tradeRoutes);
        changes.players[slot] = true;
    }
    if (input.agreements) applyAgreements(c, slot, *input.agreements, changes);
    countDownAttacks(c, slot, changes);
    if (input.colonised > 0) applyColonisation(c, slot, input.colonised, changes);
    for (const PlanetReport& report : input.planets) applyPlanetReport(c, slot, report, changes);
    for (const AttackReport& attack : input.attacks) applyAttack(c, slot, attack, changes);
    if (input.chat) addChatLine(c, slot, std::move(*input.chat), changes);
    if (input.privateBlock && *input.privateBlock != c.players[slot].privateBlock) {
        c.players[slot].privateBlock = std::move(*input.privateBlock);
        changes.privateBlocks[slot] = true;
    }
    noteAgreementsTold(c, slot, changes);
}

std::vector<Battle> findBattles(const ChannelState& c) {
    std::map<int, Battle> bySystem;
    for (int n = 1; n <= c.maxPlayers; ++n) {
        const ShipLists& ships = c.players[n].ships;
        for (int i = 0; i < ships.count(); ++i) {
            const auto k = static_cast<std::size_t>(i);
            const int system = ships.locationValues[k];
            if (ships.typeValues[k] <= 0 || ships.dockedValues[k] != 0 || system < 1) continue;
            Battle& battle = bySystem[system];
            battle.system = system;
            battle.ships[n].push_back(i + 1);
        }
    }
    std::vector<Battle> battles;
    for (auto& [system, battle] : bySystem) {
        int sides = 0;
        for (int n = 1; n <= kMaxPlayers; ++n) sides += battle.ships[n].empty() ? 0 : 1;
        if (sides >= 2) battles.push_back(std::move(battle));
    }
    return battles;
}

}  // namespace qz::server

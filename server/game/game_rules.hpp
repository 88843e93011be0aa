// What the server decides in a running game: colonisation, planet reports, planetary
// attacks and conquest, trade agreements, and which systems see a battle.
#pragma once

#include "game/changes.hpp"
#include "game/channel.hpp"
#include "game/game_input.hpp"

#include <array>
#include <vector>

namespace qz::server {

// Applies a checked "spiel" request of the player in `slot`, in this order: ships, trade
// routes, agreements, the attack count-down of the player's systems, colonisation, planet
// reports, attacks, chat, the private block. Changed ship lists are checked first and may
// still throw BadRequest, before anything is changed.
void applyGameInput(ChannelState& channel, int slot, GameInput&& input, ChannelChanges& changes);

// The first colonisation of an unowned system wins.
void applyColonisation(ChannelState& channel, int slot, int system, ChannelChanges& changes);

// Shield and fortification the owner reports; while a system is under attack a report may
// only lower them, so a report written before the damage arrived cannot undo it.
void applyPlanetReport(ChannelState& channel, int slot, const PlanetReport& report, ChannelChanges& changes);

// Damage of heavy battleships: at most 25 per heavy battleship of the attacker standing in
// space at the system; shield first, then fortification; the system is marked attacked
// for three rounds; at fortification 0 or below it passes to the attacker.
void applyAttack(ChannelState& channel, int slot, const AttackReport& attack, ChannelChanges& changes);

// A round is one request of the system's owner: each counts the attack mark down by one.
void countDownAttacks(ChannelState& channel, int slot, ChannelChanges& changes);

// Offers (1) and cancels (3) from the player's "hvertrag" values; a value the player was
// told before is a repetition and changes nothing.
void applyAgreements(ChannelState& channel, int slot, const std::array<int, kMaxPlayers + 1>& values,
                     ChannelChanges& changes);

// Records what is reported to the player about each co-player's agreement.
void noteAgreementsTold(ChannelState& channel, int slot, ChannelChanges& changes);

// One battle: a system and, per slot, the numbers (1-based) of the ships standing there.
struct Battle {
    int system = 0;
    std::array<std::vector<int>, kMaxPlayers + 1> ships;
};

// Every system where ships in space of two or more players stand, in system order.
std::vector<Battle> findBattles(const ChannelState& channel);

}  // namespace qz::server

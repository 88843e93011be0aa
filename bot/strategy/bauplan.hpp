// What the yards build, one order at a time per yard (a queue shares the yard's capacity among
// its orders, so a second order only delays the first): colony ships while there is land to
// take, a scout for a player that scouts, heavy battleships for a player that plans far enough
// ahead to besiege once it knows a co-player's system, guard ships otherwise. How many yards are kept busy is the level's
// attention; the best yards come first.
#pragma once

#include "bot/strategy/entscheidungen.hpp"

namespace qz {

constexpr int kKolonieTyp = 1;
constexpr int kSpaeherTyp = 2;   // the cheapest warship looks around
constexpr int kWachTyp = 4;      // guards: shield 250 for 1080 G
constexpr int kSchlachtTyp = 7;  // the only type that can attack planets

// A yard below these would take more than about 60 and 90 days for one such ship (2500 and
// 1300 build points): the money would lie in the queue.
constexpr int kSchlachtWerft = 40;
constexpr int kWachWerft = 15;
// A yard below this takes more than 14 days for a colony ship (500 build points); while it
// builds, the ship holds one of the colony places the best yard would fill twice as fast.
constexpr int kKolonieWerft = 36;

// A siege needs at least this horizon in days: the nearest colony of fortification 800 with
// two battleships falls in 6.4 days, plus the flight there and the travel home of the news.
constexpr int kBelagerungsHorizont = 40;

std::vector<Entscheidung> bauPlanen(const Lage& lage, const StufenWerte& stufe, const Gedaechtnis& g);

}  // namespace qz

// Building blocks of multiplayer flows, usable against the real server over HTTP and
// against the command handler in memory alike.
#pragma once

#include "form_encoding.hpp"

#include <functional>
#include <string>
#include <vector>

namespace qz::server::test {

// Sends one request (session id, form pairs) and returns the reply text between the marks.
using Send = std::function<std::string(const std::string& sessionId, const Pairs& pairs)>;

struct Ship {
    int type = 2;
    int hull = 100;
    int shield = 50;
    int docked = 0;
    int location = 0;
    int x = 0;
    int y = 0;
    int firepower = 10;
    int fleet = 1;
    std::string route = "0";
};

struct Game {
    std::string sessionId;
    std::vector<std::string> names;  // slot n is names[n - 1]
    int stars = 0;
};

std::string digestOf(const std::string& name);
std::string list(const std::vector<int>& values);
// The content of the first "#tag-" ... "-tag#" record, or "<absent>".
std::string record(const std::string& reply, const std::string& tag);
// Item i (1-based) of a comma list with a leading comma, or "<none>".
std::string item(const std::string& list, int i);
// The same for battle records "#kuml<s>-" ... "-<s>kuml#".
std::string battleRecord(const std::string& reply, int system);

Pairs loginPairs(const std::string& name);
Pairs createPairs(const std::string& channel, int maxPlayers, int stars);
Pairs joinPairs(const std::string& name);
Pairs lobbyPairs(const std::string& name, int started, int colour, int ready, int stars = 0);
// The host's upload: system k <= players is slot k's home planet (type 42, fortification
// 5000); the others are free with fortification 800 and no shield.
Pairs uploadPairs(const std::string& name, int colour, int players, int stars);
Pairs gamePairs(const std::string& name, const std::vector<Ship>& ships, const Pairs& extra = {});

// Logs every player in, creates the channel, seats everybody with colours 1, 2, 3, 4,
// makes them ready and uploads the star map. Players are named prefix + slot number.
Game startGame(const Send& send, int players, int stars, const std::string& namePrefix = "Spieler");

}  // namespace qz::server::test

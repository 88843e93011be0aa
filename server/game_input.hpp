// One "spiel" request, read and checked completely before anything is applied.
#pragma once

#include "channel.hpp"
#include "form.hpp"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace qz::server {

struct PlanetReport {
    int system = 0;
    int shield = 0;
    int fortification = 0;
};

struct AttackReport {
    int system = 0;
    int damage = 0;
};

struct GameInput {
    std::string name;
    int colonised = 0;  // "kolo", 0 = none
    enum class Ships { keep, replace, clear } ships = Ships::keep;
    ShipLists shipLists;
    std::string tradeRoutes;
    std::optional<std::array<int, kMaxPlayers + 1>> agreements;  // "hvertrag", slots 1..4
    std::optional<std::string> chat;
    std::vector<AttackReport> attacks;
    std::vector<PlanetReport> planets;
};

// Throws BadRequest on anything malformed; `stars` bounds every system number.
GameInput readGameInput(const FormFields& form, int stars);

}  // namespace qz::server

// One "spiel" request, read and checked completely before anything is applied.
#pragma once

#include "channel.hpp"
#include "form.hpp"
#include "ship_lists.hpp"

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
    // Read under the channel lock: lists equal to the stored ones need no second check.
    ShipListTexts shipTexts;
    std::string tradeRoutes;
    std::optional<std::array<int, kMaxPlayers + 1>> agreements;  // "hvertrag", slots 1..4
    std::optional<std::string> chat;
    std::vector<AttackReport> attacks;
    std::vector<PlanetReport> planets;
};

// Throws BadRequest on anything malformed; `stars` bounds every system number. The ship
// list texts are views into `form` and are checked when applied.
GameInput readGameInput(const FormFields& form, int stars);

}  // namespace qz::server

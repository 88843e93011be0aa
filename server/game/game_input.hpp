// One "spiel" request, read and checked completely before anything is applied.
#pragma once

#include "game/channel.hpp"
#include "base/form.hpp"

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
    // The request's form: ship lists are read under the channel lock, and only when they
    // differ from what the player sent last time.
    const FormFields* form = nullptr;
    std::optional<std::string> tradeRoutes;  // "hwege"; left out: the stored routes stay
    std::optional<std::array<int, kMaxPlayers + 1>> agreements;  // "hvertrag", slots 1..4
    std::optional<std::string> chat;
    std::vector<AttackReport> attacks;
    std::vector<PlanetReport> planets;
    std::optional<std::string> privateBlock;  // "privat", replaces the stored one
    bool wantsPrivateBlock = false;           // "privatholen=1"
};

// Throws BadRequest on anything malformed; `stars` bounds every system number. The ship
// lists are checked when applied; `form` must outlive the input.
GameInput readGameInput(const FormFields& form, int stars);

// The form keys of the ship lists, in the order of ShipListTexts.
inline constexpr const char* kShipFields[] = {"si1", "si10", "si11", "si2", "si3", "si4",
                                              "si5", "si6",  "si7",  "si12", "si8"};

}  // namespace qz::server

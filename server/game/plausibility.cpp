#include "game/plausibility.hpp"

#include "base/bad_request.hpp"
#include "base/refusals.hpp"

#include <algorithm>
#include <cmath>

namespace qz::server {

namespace {

constexpr double kSecondsPerDay = 5;
constexpr int kSlackDays = 3;
constexpr int kShieldPerLevel = 15;
constexpr int kFortificationPerLevel = 12;
constexpr int kLevelCap = 1 << 20;  // keeps the products within int

}  // namespace

int fortificationBase(int systemType) {
    switch (systemType) {
    case 4: case 5: case 6: case 12: return 800;
    case 1: case 9: case 10: case 16: return 1500;
    case 2: case 3: case 7: case 8: case 11: case 17: return 2500;
    case 13: case 14: case 15: case 18: return 3000;
    default: return 5000;
    }
}

int highestResearchLevel(double seconds) {
    const double days = std::floor(std::max(seconds, 0.0) / kSecondsPerDay);
    return static_cast<int>(std::min(days + 1 + kSlackDays, static_cast<double>(kLevelCap)));
}

int highestShield(double seconds) { return kShieldPerLevel * highestResearchLevel(seconds); }

int highestFortification(const StarMap& map, int system, double seconds) {
    return fortificationBase(map.type[static_cast<std::size_t>(system - 1)]) +
           kFortificationPerLevel * highestResearchLevel(seconds);
}

void requirePlausibleReports(const ChannelState& c, const GameInput& input, double now) {
    const double seconds = now - c.startedAt;
    for (const PlanetReport& report : input.planets) {
        if (report.shield > highestShield(seconds)) throw BadRequest(refusal("Schild zu hoch in pi2"));
        if (report.fortification > highestFortification(c.map, report.system, seconds)) {
            throw BadRequest(refusal("Befestigung zu hoch in pi3"));
        }
    }
}

void requirePlausibleMap(const StarMap& map) {
    for (int i = 1; i <= map.size(); ++i) {
        if (map.shield[static_cast<std::size_t>(i - 1)] > highestShield(0)) throw BadRequest(refusal("Schild zu hoch in i16"));
        if (map.fortification[static_cast<std::size_t>(i - 1)] > highestFortification(map, i, 0)) {
            throw BadRequest(refusal("Befestigung zu hoch in i17"));
        }
    }
}

}  // namespace qz::server

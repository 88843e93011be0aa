#include "game/ship_lists.hpp"

#include "base/bad_request.hpp"
#include "base/refusals.hpp"
#include "base/number_list.hpp"

#include <limits>

namespace qz::server {

ShipLists readShipLists(const ShipListTexts& texts, int stars) {
    ShipLists ships;
    // The game knows eight ship types, and no list of it holds a negative value.
    constexpr int kMax = std::numeric_limits<int>::max();
    ships.typeValues = parseIntListInRange(texts.type, "si1", 1, kShipTypes);
    ships.dockedValues = parseIntListInRange(texts.docked, "si2", 0, stars);
    ships.locationValues = parseIntListInRange(texts.location, "si3", 0, stars);
    const std::size_t routes = parseRouteList(texts.route, "si4").size();
    const std::size_t fleets = parseIntListInRange(texts.fleet, "si5", 0, kMax).size();
    const std::size_t xs = parseIntListInRange(texts.x, "si6", 0, kMax).size();
    const std::size_t ys = parseIntListInRange(texts.y, "si7", 0, kMax).size();
    ships.hullValues = parseIntListInRange(texts.hull, "si10", 0, kMax);
    ships.shieldValues = parseIntListInRange(texts.shield, "si11", 0, kMax);
    ships.firepowerValues = parseIntListInRange(texts.firepower, "si12", 0, kMax);
    const std::size_t n = ships.typeValues.size();
    for (std::size_t count : {ships.dockedValues.size(), ships.locationValues.size(), routes, fleets, xs, ys,
                              ships.hullValues.size(), ships.shieldValues.size(), ships.firepowerValues.size()}) {
        if (count != n) throw BadRequest(refusal("Schifflisten ungleich lang"));
    }
    if (!texts.highestFleet.empty()) requireIntInRange(texts.highestFleet, "si8", 0, kMax);
    ships.type = texts.type;
    ships.hull = texts.hull;
    ships.shield = texts.shield;
    ships.docked = texts.docked;
    ships.location = texts.location;
    ships.route = texts.route;
    ships.fleet = texts.fleet;
    ships.x = texts.x;
    ships.y = texts.y;
    ships.firepower = texts.firepower;
    ships.highestFleet = texts.highestFleet;
    return ships;
}

}  // namespace qz::server

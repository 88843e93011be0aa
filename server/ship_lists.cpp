#include "ship_lists.hpp"

#include "bad_request.hpp"
#include "number_list.hpp"

namespace qz::server {

ShipLists readShipLists(const ShipListTexts& texts, int stars) {
    ShipLists ships;
    ships.typeValues = parseIntList(texts.type, "si1");
    ships.dockedValues = parseIntListInRange(texts.docked, "si2", 0, stars);
    ships.locationValues = parseIntListInRange(texts.location, "si3", 0, stars);
    const std::size_t routes = parseRouteList(texts.route, "si4").size();
    const std::size_t fleets = parseIntList(texts.fleet, "si5").size();
    const std::size_t xs = parseIntList(texts.x, "si6").size();
    const std::size_t ys = parseIntList(texts.y, "si7").size();
    ships.hullValues = parseIntList(texts.hull, "si10");
    ships.shieldValues = parseIntList(texts.shield, "si11");
    ships.firepowerValues = parseIntList(texts.firepower, "si12");
    const std::size_t n = ships.typeValues.size();
    for (std::size_t count : {ships.dockedValues.size(), ships.locationValues.size(), routes, fleets, xs, ys,
                              ships.hullValues.size(), ships.shieldValues.size(), ships.firepowerValues.size()}) {
        if (count != n) throw BadRequest("Schifflisten ungleich lang");
    }
    if (!texts.highestFleet.empty()) requireInt(texts.highestFleet, "si8");
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

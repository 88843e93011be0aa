#include "game/map_upload.hpp"

#include "base/bad_request.hpp"
#include "base/refusals.hpp"
#include "base/number_list.hpp"
#include "base/text_checks.hpp"

#include <limits>

namespace qz::server {

StarMap readMapUpload(const FormFields& form, int maxPlayers) {
    StarMap map;
    const std::vector<std::string_view> names = splitList(form.value("i6"), "i6");
    if (names.empty() || names.size() > static_cast<std::size_t>(kMaxStars)) throw BadRequest(refusal("Sternanzahl ungueltig"));
    for (std::string_view name : names) {
        requireName(name, "Systemname");
        map.name.emplace_back(name);
    }
    // No value of a star map is negative.
    constexpr int kMax = std::numeric_limits<int>::max();
    map.x = parseIntListInRange(form.value("i7"), "i7", 0, kMax);
    map.y = parseIntListInRange(form.value("i8"), "i8", 0, kMax);
    map.owner = parseIntListInRange(form.value("i9"), "i9", 0, maxPlayers);
    map.type = parseIntListInRange(form.value("i10"), "i10", 1, kHomePlanetType);
    // Every co-player shows the type's planet picture (1..18, a home planet 42); any other
    // type would fail on their system screens in every frame.
    for (int type : map.type) {
        if (type > kPlanetPictures && type != kHomePlanetType) throw BadRequest(refusal("Wert ausserhalb in i10"));
    }
    map.population = parseIntListInRange(form.value("i11"), "i11", 0, kMax);
    map.supply = parseIntListInRange(form.value("i12"), "i12", 0, kMax);
    map.research = parseIntListInRange(form.value("i13"), "i13", 0, kMax);
    map.trade = parseIntListInRange(form.value("i14"), "i14", 0, kMax);
    map.shipyard = parseIntListInRange(form.value("i15"), "i15", 0, kMax);
    map.shield = parseIntListInRange(form.value("i16"), "i16", 0, kMax);
    map.fortification = parseIntListInRange(form.value("i17"), "i17", 0, kMax);
    map.background = requireIntInRange(form.value("skarte"), "skarte", 1, kBackgroundCount);
    for (const auto* values : {&map.x, &map.y, &map.owner, &map.type, &map.population, &map.supply, &map.research,
                               &map.trade, &map.shipyard, &map.shield, &map.fortification}) {
        if (values->size() != names.size()) throw BadRequest(refusal("Sternkartenlisten ungleich lang"));
    }
    map.attacked.assign(names.size(), 0);
    return map;
}

}  // namespace qz::server

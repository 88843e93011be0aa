#include "map_upload.hpp"

#include "bad_request.hpp"
#include "number_list.hpp"
#include "text_checks.hpp"

namespace qz::server {

StarMap readMapUpload(const FormFields& form, int maxPlayers) {
    StarMap map;
    const std::vector<std::string_view> names = splitList(form.value("i6"), "i6");
    if (names.empty() || names.size() > static_cast<std::size_t>(kMaxStars)) throw BadRequest("Sternanzahl ungueltig");
    for (std::string_view name : names) {
        requireName(name, "Systemname");
        map.name.emplace_back(name);
    }
    map.x = parseIntList(form.value("i7"), "i7");
    map.y = parseIntList(form.value("i8"), "i8");
    map.owner = parseIntListInRange(form.value("i9"), "i9", 0, maxPlayers);
    map.type = parseIntList(form.value("i10"), "i10");
    map.population = parseIntList(form.value("i11"), "i11");
    map.supply = parseIntList(form.value("i12"), "i12");
    map.research = parseIntList(form.value("i13"), "i13");
    map.trade = parseIntList(form.value("i14"), "i14");
    map.shipyard = parseIntList(form.value("i15"), "i15");
    map.shield = parseIntList(form.value("i16"), "i16");
    map.fortification = parseIntList(form.value("i17"), "i17");
    map.background = requireIntInRange(form.value("skarte"), "skarte", 1, kBackgroundCount);
    for (const auto* values : {&map.x, &map.y, &map.owner, &map.type, &map.population, &map.supply, &map.research,
                               &map.trade, &map.shipyard, &map.shield, &map.fortification}) {
        if (values->size() != names.size()) throw BadRequest("Sternkartenlisten ungleich lang");
    }
    map.attacked.assign(names.size(), 0);
    return map;
}

}  // namespace qz::server

#include "game/game_input.hpp"

#include "base/bad_request.hpp"
#include "base/refusals.hpp"
#include "base/number_list.hpp"
#include "base/text_checks.hpp"

#include <algorithm>
#include <limits>

namespace qz::server {

namespace {

constexpr int kIntMax = std::numeric_limits<int>::max();

std::array<int, kMaxPlayers + 1> readAgreements(std::string_view text) {
    std::array<int, kMaxPlayers + 1> values{};
    std::size_t start = 0;
    for (int n = 1; n <= kMaxPlayers; ++n) {
        const std::size_t comma = text.find(',', start);
        const bool last = n == kMaxPlayers;
        if (last != (comma == std::string_view::npos)) throw BadRequest(refusal("hvertrag braucht vier Werte"));
        const std::string_view item = text.substr(start, last ? std::string_view::npos : comma - start);
        values[n] = requireIntInRange(item, "hvertrag", 0, 3);
        start = comma + 1;
    }
    return values;
}

void readShips(GameInput& input, const FormFields& form) {
    const std::string_view flag = form.value("si0");
    if (flag.empty()) return;
    if (flag == "nok") {
        input.ships = GameInput::Ships::clear;
        return;
    }
    if (flag != "ok") throw BadRequest(refusal("si0 ungueltig"));
    input.ships = GameInput::Ships::replace;
    if (!form.value("si9").empty()) requireIntInRange(form.value("si9"), "si9", 0, kIntMax);
}

void readAttacks(GameInput& input, const FormFields& form, int stars) {
    const std::string_view flag = form.value("pa0");
    if (flag.empty()) return;
    if (flag != "ok") throw BadRequest(refusal("pa0 ungueltig"));
    const std::vector<int> damages = parseIntListInRange(form.value("pa1"), "pa1", 0, kIntMax);
    const std::vector<int> targets = parseIntListInRange(form.value("pa2"), "pa2", 1, stars);
    if (damages.size() != targets.size()) throw BadRequest(refusal("Angriffslisten ungleich lang"));
    for (std::size_t i = 0; i < targets.size(); ++i) input.attacks.push_back({targets[i], damages[i]});
}

void readPlanets(GameInput& input, const FormFields& form, int stars) {
    if (form.value("pi1").empty()) return;
    const std::vector<int> systems = parseIntListInRange(form.value("pi1"), "pi1", 1, stars);
    const std::vector<int> shields = parseIntListInRange(form.value("pi2"), "pi2", 0, kIntMax);
    const std::vector<int> forts = parseIntListInRange(form.value("pi3"), "pi3", 0, kIntMax);
    if (shields.size() != systems.size() || forts.size() != systems.size()) {
        throw BadRequest(refusal("Planetenlisten ungleich lang"));
    }
    for (std::size_t i = 0; i < systems.size(); ++i) input.planets.push_back({systems[i], shields[i], forts[i]});
}

// 1 to kMaxPrivateBlockCharacters characters of the base64 alphabet: the block goes back
// inside a reply record, so it may hold none of the record's separators.
void readPrivateBlock(GameInput& input, const FormFields& form) {
    if (const std::string* block = form.find("privat")) {
        if (block->size() > kMaxPrivateBlockCharacters) throw BadRequest(refusal("privat zu lang"));
        const auto base64 = [](unsigned char c) {
            return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
                   c == '/' || c == '=';
        };
        if (block->empty() || !std::all_of(block->begin(), block->end(), base64)) throw BadRequest(refusal("privat ungueltig"));
        input.privateBlock = *block;
    }
    const std::string_view wanted = form.value("privatholen");
    if (!wanted.empty() && wanted != "0" && wanted != "1") throw BadRequest(refusal("privatholen ungueltig"));
    input.wantsPrivateBlock = wanted == "1";
}

}  // namespace

GameInput readGameInput(const FormFields& form, int stars) {
    GameInput input;
    input.form = &form;
    input.name = form.value("i1");
    requireName(input.name, "Spielername");
    if (!form.value("kolo").empty()) input.colonised = requireIntInRange(form.value("kolo"), "kolo", 1, stars);
    readShips(input, form);
    // Only a field that is sent replaces what is stored: a player back in a running game asks
    // for its part without its routes, and an empty field ends them all.
    if (form.has("hwege")) {
        input.tradeRoutes = std::string(form.value("hwege"));
        if (parseIntListInRange(*input.tradeRoutes, "hwege", 1, stars).size() % 2 != 0) {
            throw BadRequest(refusal("Handelswege unvollstaendig"));
        }
    }
    if (form.has("hvertrag")) input.agreements = readAgreements(form.value("hvertrag"));
    if (!form.value("chat").empty()) {
        requireChatLine(form.value("chat"));
        input.chat = std::string(form.value("chat"));
    }
    readAttacks(input, form, stars);
    readPlanets(input, form, stars);
    readPrivateBlock(input, form);
    return input;
}

}  // namespace qz::server

// The changes between two recorded states rebuild the second from the first, whatever
// changed, and a few moved ships cost a few bytes.
#include "replay/state_codec.hpp"

#include <gtest/gtest.h>

#include <functional>

namespace qz::replay {
namespace {

std::string numbers(int count, const std::function<int(int)>& value) {
    std::string list;
    for (int i = 1; i <= count; ++i) list += "," + std::to_string(value(i));
    return list;
}

// Two seats of 200 ships on a map of 50 systems, a battle and some chat.
ReplayState sampleState() {
    ReplayState s;
    for (int i = 1; i <= 50; ++i) s.systems.push_back({"Planet " + std::to_string(i), 40 * i, 30 * i, 1 + i % 18, i % 3, 0, 800, 0});
    for (int n = 1; n <= 2; ++n) {
        Seat& seat = s.seats[static_cast<std::size_t>(n - 1)];
        seat.name = "Spieler" + std::to_string(n);
        seat.colour = n;
        seat.texts[type] = numbers(200, [](int i) { return 1 + i % 8; });
        seat.texts[x] = numbers(200, [n](int i) { return 300 + 9 * i + 50 * n; });
        seat.texts[y] = numbers(200, [](int i) { return 200 + 7 * i; });
        seat.texts[route] = numbers(200, [](int) { return 1112223339; });
        seat.texts[highestFleet] = "40";
        seat.texts[tradeRoutes] = ",3,4";
    }
    s.battles = "12:1,2:7::";
    s.chat = {{5, "Spieler1 ist beigetreten."}, {1, "hallo"}};
    return s;
}

void replaceValue(std::string& list, int index, const std::string& value) {
    std::size_t at = 0;
    for (int k = 0; k < index; ++k) at = list.find(',', at) + 1;
    const std::size_t end = list.find(',', at);
    list.replace(at, end == std::string::npos ? std::string::npos : end - at, value);
}

TEST(ReplayChanges, EveryKindOfChangeRebuildsTheStateAfterIt) {
    const struct {
        const char* what;
        std::function<void(ReplayState&)> change;
    } cases[] = {
        {"nothing", [](ReplayState&) {}},
        {"a fleet moves", [](ReplayState& s) { for (int i = 10; i < 20; ++i) replaceValue(s.seats[0].texts[x], i, std::to_string(-5 + i)); }},
        {"a ship is built", [](ReplayState& s) { s.seats[1].texts[type] += ",8"; }},
        {"the first ship is lost", [](ReplayState& s) { s.seats[0].texts[y].erase(1, s.seats[0].texts[y].find(',', 1)); }},
        {"the last ships are lost", [](ReplayState& s) { s.seats[0].texts[x] = ",1"; }},
        {"all ships are lost", [](ReplayState& s) { s.seats[1].texts[type].clear(); }},
        {"a route with a leading zero", [](ReplayState& s) { replaceValue(s.seats[0].texts[route], 3, "0123"); }},
        {"routes grow to the longest numbers", [](ReplayState& s) { replaceValue(s.seats[0].texts[route], 5, "99999999999999999"); replaceValue(s.seats[0].texts[route], 6, "-9999999999999999"); }},
        {"a number too long for a difference", [](ReplayState& s) { replaceValue(s.seats[0].texts[route], 4, "123456789012345678901"); }},
        {"a planet is taken", [](ReplayState& s) { s.systems[7].owner = 2; s.systems[7].fortification = 0; s.systems[7].attacked = 3; }},
        {"a player goes away and a seat fills", [](ReplayState& s) { s.seats[1].away = true; s.seats[2] = {"Neu", 7, false, {}}; }},
        {"the battle ends", [](ReplayState& s) { s.battles.clear(); }},
        {"the chat passes twenty lines", [](ReplayState& s) { for (int i = 0; i < 25; ++i) appendChat(s, {1 + i % 2, "Zeile " + std::to_string(i)}); }},
    };
    for (const auto& c : cases) {
        const ReplayState before = sampleState();
        ReplayState after = before;
        c.change(after);
        ReplayState rebuilt = before;
        applyEntry(rebuilt, EntryKind::changes, encodeChanges(before, after));
        EXPECT_TRUE(rebuilt == after) << c.what;
        ReplayState whole;
        applyEntry(whole, EntryKind::full, encodeFull(after));
        EXPECT_TRUE(whole == after) << c.what;
    }
}

TEST(ReplayChanges, AFleetMovingAFewPointsCostsAFewBytes) {
    const ReplayState before = sampleState();
    ReplayState after = before;
    // Ten ships move by 3 points in x and y: 20 values of one byte each, plus runs and zlib's
    // frame; the full state with its 1,600 ship values takes a hundred times that.
    for (int i = 10; i < 20; ++i) {
        replaceValue(after.seats[0].texts[x], i, std::to_string(300 + 9 * (i) + 50 + 3));
        replaceValue(after.seats[0].texts[y], i, std::to_string(200 + 7 * (i) + 3));
    }
    const std::string changes = encodeChanges(before, after);
    EXPECT_LE(changes.size(), 64u);
    EXPECT_GT(encodeFull(after).size(), 20 * changes.size());
}

TEST(ReplayChanges, ChangesThatDoNotFitTheirStateAreRefused) {
    const ReplayState before = sampleState();
    ReplayState after = before;
    after.seats[0].texts[x] += ",1,2,3";
    const std::string changes = encodeChanges(before, after);
    ReplayState empty;  // nothing to keep values from
    EXPECT_THROW(applyEntry(empty, EntryKind::changes, changes), DecodeError);
    ReplayState state = before;
    EXPECT_THROW(applyEntry(state, EntryKind::changes, changes.substr(0, changes.size() - 1)), DecodeError);
    EXPECT_THROW(applyEntry(state, EntryKind::full, "not zlib"), DecodeError);
}

}  // namespace
}  // namespace qz::replay

// The .qzr file: what is written reads back state for state, a bad file is refused with its
// reason and yields nothing, and a recording made by an earlier version still reads.
#include "replay/qzr_file.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace qz::replay {
namespace {

ReplayState dayState(int day) {
    ReplayState s;
    s.systems = {{"Heimatplanet", 10, 20, 42, 1, 0, 5000, 0}, {"Planet X2", 30, 40, 5, day >= 2 ? 2 : 0, 0, 800, 0}};
    s.seats[0] = {"Anna", 3, false, {}};
    s.seats[1] = {"Ben", 5, day == 3, {}};
    s.seats[0].texts[x] = ",100," + std::to_string(100 + 10 * day);
    s.seats[0].texts[type] = ",2,7";
    if (day >= 1) s.chat.push_back({1, "hallo"});
    return s;
}

// Day 0 full, then the changes of days 1 to 3, each one second into its day.
Recording sampleRecording() {
    Recording r;
    r.channel = "Probe";
    r.players = {"Anna", "Ben"};
    r.startedAt = 1.7e9;
    r.entries.push_back({1000, EntryKind::full, encodeFull(dayState(0))});
    for (int day = 1; day <= 3; ++day) {
        r.entries.push_back({day * 5000 + 1000, EntryKind::changes, encodeChanges(dayState(day - 1), dayState(day))});
    }
    return r;
}

TEST(QzrFile, AWrittenRecordingReadsBackDayByDay) {
    const Recording read = readQzr(writeQzr(sampleRecording()));
    EXPECT_EQ(read.channel, "Probe");
    EXPECT_EQ(read.players, (std::vector<std::string>{"Anna", "Ben"}));
    EXPECT_EQ(read.startedAt, 1.7e9);
    EXPECT_EQ(read.lengthSeconds(), 16.0);
    for (int day = 0; day <= 3; ++day) EXPECT_TRUE(read.stateOnDay(day) == dayState(day)) << "day " << day;
    EXPECT_TRUE(read.stateAt(5.999) == dayState(0)) << "day 1's entry comes one second into it";
}

std::string withByte(std::string bytes, std::size_t at, char value) {
    bytes[at] = value;
    return bytes;
}

TEST(QzrFile, ABadFileIsRefusedWithItsReason) {
    const std::string good = writeQzr(sampleRecording());
    // Offsets: magic 0..7, version 8..9, body length 10..13, checksum 14..17, body from 18.
    Recording inconsistent = sampleRecording();
    inconsistent.entries[0].kind = EntryKind::changes;  // a first entry that has nothing to change
    Recording broken = sampleRecording();
    broken.entries[2].data = broken.entries[2].data.substr(0, 5);
    const struct {
        const char* what;
        std::string bytes;
        QzrProblem problem;
    } cases[] = {
        {"an empty file", "", QzrProblem::foreign},
        {"a PNG picture", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), QzrProblem::foreign},
        {"a save game", "QZSPIELSTAND", QzrProblem::foreign},
        {"a newer format", withByte(good, 8, 2), QzrProblem::newer},
        {"a much newer format", withByte(good, 9, 1), QzrProblem::newer},
        {"format 0", withByte(good, 8, 0), QzrProblem::damaged},
        {"the magic alone", good.substr(0, 8), QzrProblem::truncated},
        {"cut in the header", good.substr(0, 15), QzrProblem::truncated},
        {"cut in the body", good.substr(0, good.size() - 1), QzrProblem::truncated},
        {"bytes after the end", good + "x", QzrProblem::damaged},
        {"a changed byte in the body", withByte(good, good.size() / 2, static_cast<char>(good[good.size() / 2] ^ 1)), QzrProblem::damaged},
        {"a changed checksum", withByte(good, 14, static_cast<char>(good[14] ^ 1)), QzrProblem::damaged},
        {"no full state first, checksum right", writeQzr(inconsistent), QzrProblem::damaged},
        {"an entry cut short, checksum right", writeQzr(broken), QzrProblem::damaged},
    };
    for (const auto& c : cases) {
        try {
            readQzr(c.bytes);
            ADD_FAILURE() << c.what << " was read";
        } catch (const QzrError& error) {
            EXPECT_EQ(error.problem(), c.problem) << c.what << ": " << error.what();
        }
    }
}

// tests/replay/fixtures/zwei_spieler.qzr was exported by qz-server 1 (format 1) from the
// game of the server's recording test (Recordings.*): Spieler1 and Spieler2 on 20 systems,
// Spieler1's ships 1..4 at x = 100 + 3 * day, Spieler2 silent from day 1 to day 13.
TEST(QzrFile, ARecordingOfTheFirstFormatStillReads) {
    std::ifstream in(std::string(QZ_REPLAY_FIXTURES) + "/zwei_spieler.qzr", std::ios::binary);
    ASSERT_TRUE(in) << "fixture missing";
    const Recording r = readQzr(std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
    EXPECT_EQ(r.players, (std::vector<std::string>{"Spieler1", "Spieler2"}));
    const ReplayState day5 = r.stateOnDay(5);
    ASSERT_EQ(day5.systems.size(), 20u);
    EXPECT_EQ(day5.seats[0].texts[x], ",115,115,115,115");  // 100 + 3 * 5
    EXPECT_TRUE(r.stateOnDay(12).seats[1].away);
    EXPECT_FALSE(r.stateOnDay(14).seats[1].away);
    EXPECT_EQ(r.stateOnDay(14).chat.back().text, "Spieler2 ist zur\x81" "ck");
}

}  // namespace
}  // namespace qz::replay

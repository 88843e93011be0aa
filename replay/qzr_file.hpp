// The .qzr file: one recorded game, self-contained. Layout (numbers little-endian):
//   8 bytes  magic "\x89QZR\r\n\x1a\n" (a text transfer that mangles line ends shows at once)
//   2 bytes  format version (kQzrVersion)
//   4 bytes  length of the body that follows
//   4 bytes  CRC-32 (zlib) of the body
//   body     channel name, players, start time, and the entries: each its time in ms since
//            the start, its kind and its compressed bytes; the first is a full state, which
//            holds the star map.
// Whatever is wrong with a file, reading it ends in QzrError and yields nothing.
#pragma once

#include "replay/replay_state.hpp"
#include "replay/state_codec.hpp"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qz::replay {

inline constexpr std::uint16_t kQzrVersion = 1;

// The last moment of day `day` on the recording's clock (day 0 is the first 5 seconds): what
// a reader and a viewer call the state on that day is everything recorded up to it.
inline double lastMomentOfDay(long long day) { return static_cast<double>(day + 1) * kDaySeconds - 0.0005; }

struct RecordedEntry {
    long long atMilliseconds = 0;  // since the game started
    EntryKind kind = EntryKind::full;
    std::string data;  // compressed
};

struct Recording {
    std::string channel;               // code page 437 bytes, as the game shows them
    std::vector<std::string> players;  // by seat, empty for a free one
    double startedAt = 0;              // server clock, seconds since 1970
    std::vector<RecordedEntry> entries;

    // The state after every entry up to `seconds` since the start.
    ReplayState stateAt(double seconds) const;
    // The state at the end of day `day` (day 0 is the first 5 seconds).
    ReplayState stateOnDay(long long day) const;
    double lengthSeconds() const;
};

enum class QzrProblem { foreign, newer, truncated, damaged };

class QzrError : public std::runtime_error {
public:
    QzrError(QzrProblem problem, const std::string& message) : std::runtime_error(message), problem_(problem) {}
    QzrProblem problem() const { return problem_; }

private:
    QzrProblem problem_;
};

std::string writeQzr(const Recording& recording);
// Checks the whole file, every entry included.
Recording readQzr(std::string_view bytes);

void writeQzrFile(const std::string& path, const Recording& recording);
// QzrError for a bad file, std::runtime_error when it cannot be read at all.
Recording readQzrFile(const std::string& path);

}  // namespace qz::replay

// The stored recordings of games: one row per recorded game and one per entry, written in
// the transaction of the change each records (storage_recordings.cpp).
#pragma once

#include <string>
#include <vector>

namespace qz::server {

// A recording as the operator's list shows it.
struct RecordingSummary {
    long long id = 0;
    std::string sessionId, channel;
    std::vector<std::string> players;  // by seat, empty for a free one
    double startedAt = 0;              // server clock
    double lengthSeconds = 0;          // from the start to the last entry
    long long bytes = 0;               // the entries, compressed
};

}  // namespace qz::server

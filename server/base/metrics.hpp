// What the server counts for its operator, shown on the admin listener's /metrics in the
// Prometheus text format. Counting is a few atomic additions per request.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

namespace qz::server {

// Values read when the metrics are shown.
struct MetricGauges {
    long long openConnections = 0;
    long long runningGames = 0;   // in the database, over every instance
    long long playersOnline = 0;  // in the database, over every instance
    long long hashQueueDepth = 0;
};

class Metrics {
public:
    // The commands of the protocol; anything else counts as "other".
    static constexpr std::array<std::string_view, 10> kCommands = {
        "onlinecheck", "login", "channel_auflisten", "channel_erstellen", "channel", "spiel",
        "aufzeichnungen_auflisten", "aufzeichnung_holen", "zuschauen", "other"};
    // ok: answered; refused: "fehler" for what the client sent; error: the server or its database failed.
    enum class Result { ok, refused, error };
    static constexpr std::array<std::string_view, 3> kResults = {"ok", "refused", "error"};
    // Upper bounds of the latency buckets, in seconds.
    static constexpr std::array<double, 12> kBuckets = {0.0005, 0.001, 0.0025, 0.005, 0.01, 0.025,
                                                       0.05,   0.1,   0.25,   0.5,   1,    2.5};

    static std::size_t commandIndex(std::string_view command);
    void countRequest(std::size_t command, Result result, double seconds);
    void countDatabaseError() { ++databaseErrors_; }

    std::string exposition(const MetricGauges& gauges) const;

private:
    std::array<std::array<std::atomic<std::uint64_t>, kResults.size()>, kCommands.size()> requests_{};
    std::array<std::atomic<std::uint64_t>, kBuckets.size() + 1> buckets_{};  // not cumulative; last: above all
    std::atomic<std::uint64_t> latencyNanoseconds_{0};
    std::atomic<std::uint64_t> databaseErrors_{0};
};

}  // namespace qz::server

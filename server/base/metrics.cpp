#include "base/metrics.hpp"

#include <algorithm>
#include <charconv>

namespace qz::server {

namespace {

std::string number(double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

void header(std::string& out, std::string_view name, std::string_view type, std::string_view help) {
    out.append("# HELP ").append(name).append(" ").append(help).append("\n");
    out.append("# TYPE ").append(name).append(" ").append(type).append("\n");
}

void gauge(std::string& out, std::string_view name, std::string_view help, long long value) {
    header(out, name, "gauge", help);
    out.append(name).append(" ").append(std::to_string(value)).append("\n");
}

}  // namespace

std::size_t Metrics::commandIndex(std::string_view command) {
    const auto found = std::find(kCommands.begin(), kCommands.end() - 1, command);
    return static_cast<std::size_t>(found - kCommands.begin());
}

void Metrics::countRequest(std::size_t command, Result result, double seconds) {
    requests_[std::min(command, kCommands.size() - 1)][static_cast<std::size_t>(result)].fetch_add(
        1, std::memory_order_relaxed);
    const auto bucket = std::lower_bound(kBuckets.begin(), kBuckets.end(), seconds) - kBuckets.begin();
    buckets_[static_cast<std::size_t>(bucket)].fetch_add(1, std::memory_order_relaxed);
    latencyNanoseconds_.fetch_add(static_cast<std::uint64_t>(std::max(seconds, 0.0) * 1e9), std::memory_order_relaxed);
}

std::string Metrics::exposition(const MetricGauges& gauges) const {
    std::string out;
    header(out, "qz_requests_total", "counter", "Requests answered, by command and result.");
    for (std::size_t c = 0; c < kCommands.size(); ++c) {
        for (std::size_t r = 0; r < kResults.size(); ++r) {
            out.append("qz_requests_total{command=\"").append(kCommands[c]).append("\",result=\"");
            out.append(kResults[r]).append("\"} ").append(std::to_string(requests_[c][r].load())).append("\n");
        }
    }
    header(out, "qz_request_duration_seconds", "histogram",
           "Time the server took to answer a request once it was read.");
    std::uint64_t cumulative = 0;
    for (std::size_t b = 0; b <= kBuckets.size(); ++b) {
        cumulative += buckets_[b].load();
        out.append("qz_request_duration_seconds_bucket{le=\"");
        out.append(b < kBuckets.size() ? number(kBuckets[b]) : "+Inf").append("\"} ");
        out.append(std::to_string(cumulative)).append("\n");
    }
    out.append("qz_request_duration_seconds_sum ")
        .append(number(static_cast<double>(latencyNanoseconds_.load()) / 1e9));
    out.append("\nqz_request_duration_seconds_count ").append(std::to_string(cumulative)).append("\n");
    gauge(out, "qz_open_connections", "Player connections this instance holds.", gauges.openConnections);
    gauge(out, "qz_running_games", "Started games in the database.", gauges.runningGames);
    gauge(out, "qz_players_online", "Seated players who polled within the last minute.", gauges.playersOnline);
    header(out, "qz_database_errors_total", "counter", "Requests and sweeps the database failed.");
    out.append("qz_database_errors_total ").append(std::to_string(databaseErrors_.load())).append("\n");
    gauge(out, "qz_hash_queue_depth", "Logins waiting for a password-hash thread.", gauges.hashQueueDepth);
    return out;
}

}  // namespace qz::server

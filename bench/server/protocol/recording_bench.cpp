// What recording costs the server. The command handler on "spiel" requests of a game in
// motion (every poll moves the fleets in flight, so every one is recorded), once with every
// game recorded and once with none (--keep-recordings 0), in the same run; the ratio of the
// two is the budget's measure. Then one hour of a four-player game with 800 ships, each
// player polling every 2 s with its fleets in flight and a chat line a minute, is played
// on the manual clock and its recording's size printed, and the time a player's fetch of that
// recording takes beside a "spiel" reply.
#include "protocol/command_handler.hpp"
#include "in_process.hpp"
#include "base/log.hpp"
#include "realistic_game.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using namespace qz::server;

constexpr double kStart = 1000;
constexpr int kSteps = 64;  // polls of each player before the fleets start over

ServerConfig configRecording(bool record) {
    ServerConfig config = test::InProcessServer::testConfig();
    if (!record) config.keepRecordingsSeconds = 0;
    return config;
}

struct InMotion {
    test::InProcessServer server;
    test::Game game;
    std::string query;
    std::vector<std::string> bodies;  // the players' polls in turn, their fleets moving on
    std::size_t next = 0;

    explicit InMotion(bool record) : server(configRecording(record)) {
        setLogLevel(LogLevel::warn);
        server.now = kStart;
        game = bench::prepareRealisticGame(server.sender());
        query = "PHPSESSID=" + game.sessionId;
        for (int step = 1; step <= kSteps; ++step) {
            for (int slot = 1; slot <= bench::kPlayers; ++slot) {
                bodies.push_back(test::formBody(bench::realisticPoll(game, slot, step)));
            }
        }
    }

    // One poll; four players each every 2 s make one every half second.
    void poll() {
        server.now += 0.5;
        benchmark::DoNotOptimize(server.handler().handle(query, bodies[next], server.now, server.client));
        next = (next + 1) % bodies.size();
    }
};

template <bool record>
void BM_SpielInMotion(benchmark::State& state) {
    static InMotion game(record);
    for (auto _ : state) game.poll();
}

BENCHMARK_TEMPLATE(BM_SpielInMotion, true)->Name("BM_SpielRecorded");
BENCHMARK_TEMPLATE(BM_SpielInMotion, false)->Name("BM_SpielUnrecorded");

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds of the median of nine polls of one player whose fleets move on each time.
double medianPollMilliseconds(test::InProcessServer& server, const test::Game& game) {
    const std::string query = "PHPSESSID=" + game.sessionId;
    std::vector<double> times;
    for (int k = 0; k < 9; ++k) {
        const std::string body = test::formBody(bench::realisticPoll(game, 1, kSteps + k));
        server.now += 2;
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(server.handler().handle(query, body, server.now, server.client));
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return median(times);
}

// The recording of an hour of play, in bytes as stored (compressed). Then how long a player's
// fetch of it holds its thread (the server's other requests wait as long on SQLite, which
// has one connection) beside the biggest reply the server gives every two seconds, a
// player's "spiel" reply with all four players' ships.
long long recordedHour() {
    test::InProcessServer server(configRecording(true));
    server.now = kStart;
    const test::Game game = bench::prepareRealisticGame(server.sender());
    const std::string query = "PHPSESSID=" + game.sessionId;
    for (int poll = 0; poll < 3600 * 2; ++poll) {
        server.now = kStart + 0.5 * (poll + 1);
        const int slot = 1 + poll % bench::kPlayers;
        test::Pairs pairs = bench::realisticPoll(game, slot, poll / bench::kPlayers);
        if (poll % 120 == 0) pairs.push_back({"chat", "Angriff auf System " + std::to_string(poll / 120)});
        server.handler().handle(query, test::formBody(pairs), server.now, server.client);
    }
    const long long bytes = server.storage().recordings().at(0).bytes;
    const double poll = medianPollMilliseconds(server, game);
    server.storage().closeChannel(game.sessionId);
    // The parts one after the other, each from the last entry the one before brought.
    std::vector<double> times;
    int parts = 0;
    for (long long after = 0;; ++parts) {
        const std::string fetch = test::formBody(
            {{"infos", "aufzeichnung_holen"}, {"i1", game.names[0]}, {"i2", "1"}, {"seit", std::to_string(after)}});
        const auto start = std::chrono::steady_clock::now();
        const std::string reply = server.handler().handle("", fetch, server.now, server.client);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        const std::size_t lastEntry = reply.rfind(',');
        if (lastEntry == std::string::npos) break;
        after = std::stoll(reply.substr(lastEntry + 1));
        if (reply.find(";;" + std::to_string(after) + ";;") != std::string::npos) break;
    }
    std::printf("fetching that hour as a player: %d parts, %.2f ms a part (median); a spiel reply of the same game: "
                "%.2f ms (median of 9)\n",
                parts + 1, median(times), poll);
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    // On a shared machine the two take turns, several times, and the medians are compared,
    // so that a busy moment falls on both alike; options given on the command line win.
    std::vector<char*> arguments(argv, argv + argc);
    char repetitions[] = "--benchmark_repetitions=8";
    char interleaving[] = "--benchmark_enable_random_interleaving=true";
    char minTime[] = "--benchmark_min_time=0.5";
    arguments.insert(arguments.begin() + 1, {repetitions, interleaving, minTime});
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    struct Ratio : benchmark::ConsoleReporter {
        double recorded = 0;
        double unrecorded = 0;
        void ReportRuns(const std::vector<Run>& runs) override {
            ConsoleReporter::ReportRuns(runs);
            for (const Run& run : runs) {
                if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
                if (run.run_name.function_name == "BM_SpielRecorded") recorded = run.GetAdjustedCPUTime();
                if (run.run_name.function_name == "BM_SpielUnrecorded") unrecorded = run.GetAdjustedCPUTime();
            }
        }
    } reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (reporter.recorded > 0 && reporter.unrecorded > 0) {
        std::printf("spiel in motion, recorded / unrecorded: %.3fx processor time, medians (budget 1.10x)\n",
                    reporter.recorded / reporter.unrecorded);
    }
    const long long bytes = recordedHour();
    std::printf("one hour of four players with %d ships, recorded: %lld bytes (%.2f MB; budget 2 MB)\n",
                bench::kPlayers * bench::kShipsPerPlayer, bytes, static_cast<double>(bytes) / 1e6);
    benchmark::Shutdown();
    return 0;
}

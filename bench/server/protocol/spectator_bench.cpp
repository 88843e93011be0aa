// What a spectator costs the server. In one run, taking turns: a player's "spiel" poll of a
// four-player game in motion, and a spectator's "zuschauen" poll of the same game, each
// after the four players' polls of the 2 s before it (untimed), so that every spectator
// poll gets what was recorded since its last one. The ratio of the medians is the measure
// (at most 1x). Then a game of two hours is played on a SQLite file, and a spectator's first
// look at it is timed on a new instance: the server's reply (the last full state before the
// delay and the changes since) and the client's work of decoding and applying it.
#include "protocol/command_handler.hpp"
#include "in_process.hpp"
#include "base/log.hpp"
#include "realistic_game.hpp"
#include "replay/state_codec.hpp"
#include "temporary_directory.hpp"

#include <benchmark/benchmark.h>
#include <sodium.h>

#include <chrono>
#include <cstdio>

namespace {

using namespace qz::server;

constexpr double kStart = 1000;
constexpr int kSteps = 64;  // polls of each player before the fleets start over

const test::Pairs kSpectator = {{"infos", "zuschauen"}, {"i1", "Zuschauer"}};

struct Watched {
    test::InProcessServer server;
    test::Game game;
    std::string query;
    std::vector<std::string> bodies;  // the players' polls in turn, their fleets moving on
    std::size_t next = 0;
    long long seen = 0;  // the last entry the spectator got

    Watched() {
        setLogLevel(LogLevel::warn);
        server.now = kStart;
        game = bench::prepareRealisticGame(server.sender());
        server.send("", test::loginPairs("Zuschauer"));
        query = "PHPSESSID=" + game.sessionId;
        for (int step = 1; step <= kSteps; ++step) {
            for (int slot = 1; slot <= bench::kPlayers; ++slot) {
                bodies.push_back(test::formBody(bench::realisticPoll(game, slot, step)));
            }
        }
        // Past the delay, so that the spectator sees the game.
        for (int k = 0; k < 2 * 70; ++k) poll();
    }

    std::string poll() {
        server.now += 0.5;
        std::string reply = server.handler().handle(query, bodies[next], server.now, server.client);
        next = (next + 1) % bodies.size();
        return reply;
    }
    std::string watch() {
        test::Pairs pairs = kSpectator;
        pairs.emplace_back("seit", std::to_string(seen));
        std::string reply = server.handler().handle(query, test::formBody(pairs), server.now, server.client);
        const std::size_t last = reply.rfind(',');
        if (last != std::string::npos) seen = std::stoll(reply.substr(last + 1));
        return reply;
    }
};

Watched& watched() {
    static Watched game;
    return game;
}

void BM_PlayerPoll(benchmark::State& state) {
    Watched& w = watched();
    for (auto _ : state) benchmark::DoNotOptimize(w.poll());
}

void BM_SpectatorPoll(benchmark::State& state) {
    Watched& w = watched();
    for (auto _ : state) {
        state.PauseTiming();
        for (int k = 0; k < bench::kPlayers; ++k) w.poll();
        state.ResumeTiming();
        benchmark::DoNotOptimize(w.watch());
    }
}

BENCHMARK(BM_PlayerPoll);
BENCHMARK(BM_SpectatorPoll);

// Seconds from a spectator's first request to its decoded state, on a new instance (nothing
// in memory) over a SQLite file holding a game of `hours`.
double firstLook(double hours) {
    qz::test::TemporaryDirectory directory;
    Storage storage(directory.path() + "/qz-server.db");
    ServerConfig config = test::InProcessServer::testConfig();
    double now = kStart;
    const auto send = [&](const std::string& sessionId, const test::Pairs& pairs) {
        CommandHandler handler(storage, config, now);
        return handler.handle("PHPSESSID=" + sessionId, test::formBody(pairs), now, "127.0.0.1");
    };
    CommandHandler playing(storage, config, now);
    const test::Send sender = [&](const std::string& sessionId, const test::Pairs& pairs) {
        const std::string framed = playing.handle("PHPSESSID=" + sessionId, test::formBody(pairs), now, "127.0.0.1");
        return framed.substr(5, framed.size() - 10);
    };
    const test::Game game = bench::prepareRealisticGame(sender);
    sender("", test::loginPairs("Zuschauer"));
    const std::string query = "PHPSESSID=" + game.sessionId;
    const int polls = static_cast<int>(hours * 3600 * 2);
    for (int poll = 0; poll < polls; ++poll) {
        now = kStart + 0.5 * (poll + 1);
        const int slot = 1 + poll % bench::kPlayers;
        test::Pairs pairs = bench::realisticPoll(game, slot, (poll / bench::kPlayers) % kSteps);
        if (poll % 120 == 0) pairs.push_back({"chat", "Angriff auf System " + std::to_string(poll / 120)});
        playing.handle(query, test::formBody(pairs), now, "127.0.0.1");
    }
    const auto started = std::chrono::steady_clock::now();
    const std::string reply = send(game.sessionId, kSpectator);
    qz::replay::ReplayState state;
    std::size_t entries = 0;
    for (std::size_t at = reply.find(','); at != std::string::npos; at = reply.find(',', at + 1)) {
        const std::size_t end = std::min(reply.find(',', at + 1), reply.size() - 5);  // before ":EDOC"
        const std::size_t kind = reply.find(':', at);
        const std::string base64 = reply.substr(kind + 3, end - kind - 3);
        std::string bytes(base64.size(), '\0');
        std::size_t length = 0;
        sodium_base642bin(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size(), base64.data(), base64.size(),
                          nullptr, &length, nullptr, sodium_base64_VARIANT_ORIGINAL_NO_PADDING);
        bytes.resize(length);
        qz::replay::applyEntry(state, reply[kind + 1] == '0' ? qz::replay::EntryKind::full
                                                            : qz::replay::EntryKind::changes, bytes);
        ++entries;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (state.systems.size() != static_cast<std::size_t>(bench::kStars)) std::printf("the spectator saw no map\n");
    std::printf("first look: reply %zu bytes, %zu entries, %zu systems\n", reply.size(), entries,
                state.systems.size());
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    // The two take turns, several times, and the medians are compared, so that a busy moment
    // on a shared machine falls on both alike; options given on the command line win.
    std::vector<char*> arguments(argv, argv + argc);
    char repetitions[] = "--benchmark_repetitions=8";
    char interleaving[] = "--benchmark_enable_random_interleaving=true";
    char minTime[] = "--benchmark_min_time=0.3";
    arguments.insert(arguments.begin() + 1, {repetitions, interleaving, minTime});
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    struct Ratio : benchmark::ConsoleReporter {
        double player = 0;
        double spectator = 0;
        void ReportRuns(const std::vector<Run>& runs) override {
            ConsoleReporter::ReportRuns(runs);
            for (const Run& run : runs) {
                if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
                if (run.run_name.function_name == "BM_PlayerPoll") player = run.GetAdjustedCPUTime();
                if (run.run_name.function_name == "BM_SpectatorPoll") spectator = run.GetAdjustedCPUTime();
            }
        }
    } reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (reporter.player > 0 && reporter.spectator > 0) {
        std::printf("spectator poll / player poll: %.3fx processor time, medians (at most 1x)\n",
                    reporter.spectator / reporter.player);
    }
    std::printf("a new spectator of a two-hour game sees its map after %.3f s (at most 2 s)\n", firstLook(2.0));
    benchmark::Shutdown();
    return 0;
}

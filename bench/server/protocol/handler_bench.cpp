// The command handler on the realistic "spiel" request, against Beast parsing the same
// HTTP request: how much the game logic costs next to merely reading the request.
#include "protocol/command_handler.hpp"
#include "in_process.hpp"
#include "base/log.hpp"
#include "realistic_game.hpp"

#include <benchmark/benchmark.h>
#include <boost/beast/http.hpp>

namespace {

using namespace qz::server;

struct Prepared {
    test::InProcessServer server;
    test::Game game;
    std::string query;
    std::string body;
    std::string request;
    Prepared() {
        setLogLevel(LogLevel::warn);
        game = bench::prepareRealisticGame(server.sender());
        query = "PHPSESSID=" + game.sessionId;
        const test::Pairs poll = bench::realisticPoll(game, 1);
        body = test::formBody(poll);
        request = test::gameRequest("127.0.0.1", 80, game.sessionId, poll);
    }
};

Prepared& prepared() {
    static Prepared instance;
    return instance;
}

void BM_SpielHandler(benchmark::State& state) {
    Prepared& p = prepared();
    CommandHandler& handler = p.server.handler();
    for (auto _ : state) benchmark::DoNotOptimize(handler.handle(p.query, p.body, 1.0, p.server.client));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * p.body.size()));
}

void BM_ReferenceBeastParse(benchmark::State& state) {
    Prepared& p = prepared();
    namespace http = boost::beast::http;
    for (auto _ : state) {
        http::request_parser<http::string_body> parser;
        parser.body_limit(kMaxBodyBytes);
        boost::beast::error_code error;
        parser.put(boost::asio::buffer(p.request), error);
        benchmark::DoNotOptimize(parser.get().body().size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * p.body.size()));
}

BENCHMARK(BM_SpielHandler);
BENCHMARK(BM_ReferenceBeastParse);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // Collect both timings and print the ratio the run is judged by.
    struct Ratio : benchmark::ConsoleReporter {
        double handler = 0;
        double reference = 0;
        void ReportRuns(const std::vector<Run>& runs) override {
            ConsoleReporter::ReportRuns(runs);
            for (const Run& run : runs) {
                if (run.benchmark_name() == "BM_SpielHandler") handler = run.GetAdjustedRealTime();
                if (run.benchmark_name() == "BM_ReferenceBeastParse") reference = run.GetAdjustedRealTime();
            }
        }
    } reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (reporter.handler > 0 && reporter.reference > 0) {
        std::printf("spiel handler / HTTP parse of the same request: %.2fx\n", reporter.handler / reporter.reference);
    }
    benchmark::Shutdown();
    return 0;
}

// Request round trips per second over loopback: the game's exchange through the TCP layer
// (request text, connection with its event and master threads, reply collected until the
// server closes) against a plain blocking-socket client sending the same request.
//
// Both clients take turns within one benchmark, one round trip each per iteration, so that
// whatever else runs on the machine weighs on both alike; each side's time is the median of
// its round trips, which a burst of load on a few of them does not move.
#include "loopback_server.hpp"
#include "multiplayer/exchange/server_exchange.hpp"

#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

const std::string kReply = "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nCODE:onlinecheck;;online:EDOC";
constexpr double kTarget = 0.7;
double measuredRatio = 0;

qz::test::LoopbackServer& server()
{
    static qz::test::LoopbackServer instance(
        [](int fd) {
            qz::test::readHttpRequest(fd);
            qz::test::writeAll(fd, kReply);
        },
        128);
    return instance;
}

struct Tables {
    qz::Feld<qz::KVP> get{1, 2};
    qz::Feld<qz::KVP> post{1, 40};
    Tables()
    {
        get(1) = {"PHPSESSID", "0123456789abcdef"};
        post(1) = {"infos", "onlinecheck"};
        post(2) = {"i1", "Spieler Eins"};
    }
};

std::string throughLayer(const Tables& tables, std::uint16_t port)
{
    return qz::serverRoundTrip("127.0.0.1", port, tables.get, tables.post, 5.0);
}

std::string blockingSocket(const Tables& tables, std::uint16_t port)
{
    const std::string request = qz::RETHTTPPOSTREQUESTSTRING("127.0.0.1", port, qz::kServerPath, tables.get, tables.post);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    std::string raw;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && qz::test::writeAll(fd, request))
        raw = qz::test::readAll(fd);
    ::close(fd);
    return raw;
}

double median(std::vector<double>& values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

void RoundTrips(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    const Tables tables;
    const std::uint16_t port = server().port();
    std::vector<double> layer, blocking;
    for (auto _ : state) {
        auto start = Clock::now();
        if (throughLayer(tables, port) != kReply) state.SkipWithError("wrong reply through the layer");
        auto middle = Clock::now();
        if (blockingSocket(tables, port) != kReply) state.SkipWithError("wrong reply on the plain socket");
        auto end = Clock::now();
        layer.push_back(std::chrono::duration<double, std::micro>(middle - start).count());
        blocking.push_back(std::chrono::duration<double, std::micro>(end - middle).count());
    }
    const double layerUs = median(layer);
    const double blockingUs = median(blocking);
    measuredRatio = blockingUs / layerUs;
    state.counters["layer_us"] = layerUs;
    state.counters["plain_us"] = blockingUs;
    state.counters["layer_per_s"] = 1e6 / layerUs;
    state.counters["plain_per_s"] = 1e6 / blockingUs;
}
// Bounded so that the closed connections waiting out their time on this machine never use up
// the loopback ports.
BENCHMARK(RoundTrips)->Iterations(4000)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("ratio ThroughLayer / BlockingSocket = %.2f by median round trip (target at least %.2f)%s\n",
                measuredRatio, kTarget, measuredRatio >= kTarget ? "" : "  BELOW TARGET");
}

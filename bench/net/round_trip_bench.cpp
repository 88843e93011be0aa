// Request round trips per second over loopback: the game's exchange through the TCP layer
// (request text, connection with its event and master threads, reply collected until the
// server closes) against a plain blocking-socket client sending the same request.
#include "loopback_server.hpp"
#include "multiplayer/server_exchange.hpp"
#include "ratio_reporter.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const std::string kReply = "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nCODE:onlinecheck;;online:EDOC";

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

void ThroughLayer(benchmark::State& state)
{
    const Tables tables;
    const std::uint16_t port = server().port();
    for (auto _ : state) {
        const std::string raw = qz::serverRoundTrip("127.0.0.1", port, tables.get, tables.post, 5.0);
        if (raw != kReply) state.SkipWithError("wrong reply");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ThroughLayer)->Unit(benchmark::kMicrosecond)->Iterations(3000)->UseRealTime();

void BlockingSocket(benchmark::State& state)
{
    const Tables tables;
    const std::uint16_t port = server().port();
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (auto _ : state) {
        const std::string request =
            qz::RETHTTPPOSTREQUESTSTRING("127.0.0.1", port, qz::kServerPath, tables.get, tables.post);
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) state.SkipWithError("connect");
        qz::test::writeAll(fd, request);
        const std::string raw = qz::test::readAll(fd);
        ::close(fd);
        if (raw != kReply) state.SkipWithError("wrong reply");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BlockingSocket)->Unit(benchmark::kMicrosecond)->Iterations(3000)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    qz::bench::RatioReporter reporter;
    reporter.compare("ThroughLayer/iterations:3000/real_time", "BlockingSocket/iterations:3000/real_time", 0.7,
                     qz::bench::RatioReporter::Zeit::Real);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}

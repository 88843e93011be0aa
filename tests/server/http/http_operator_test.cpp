// The operator's side of qz-server: the admin listener's /health and /metrics (read by
// Prometheus's own text parser), the commands that list games, close a channel and ban,
// unban or delete an account while instances serve, and what it says when it cannot start.
#include "server_fixture.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <stdexcept>

namespace qz::server::test {
namespace {

std::string get(int port, const std::string& path) {
    return roundTrip(port, "GET " + path + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
}

std::string bodyOf(const std::string& response) {
    const std::size_t at = response.find("\r\n\r\n");
    return at == std::string::npos ? "" : response.substr(at + 4);
}

// Every sample of the page as prometheus_client's parser reads it: "name{labels}" -> value.
// Empty when the parser refuses the page.
std::map<std::string, double> parsedByPrometheus(const std::string& page, const std::string& directory) {
    const std::string file = directory + "/metrics.txt";
    std::ofstream(file) << page;
    const std::string command =
        "/usr/bin/python3 -c \"import sys\nfrom prometheus_client.parser import text_string_to_metric_families as f\n"
        "for family in f(open(sys.argv[1]).read()):\n"
        "  for s in family.samples:\n"
        "    print(s.name + '{' + ','.join(k + '=' + v for k, v in sorted(s.labels.items())) + '}', repr(s.value))\" " +
        file;
    std::map<std::string, double> samples;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return samples;
    std::array<char, 512> line{};
    while (std::fgets(line.data(), line.size(), pipe)) {
        const std::string text(line.data());
        const std::size_t space = text.rfind(' ');
        samples[text.substr(0, space)] = std::stod(text.substr(space + 1));
    }
    if (pclose(pipe) != 0) samples.clear();
    return samples;
}

class Operator : public ServerFixture {
protected:
    int adminPort() const { return server_->adminPort(); }
    int command(const std::vector<std::string>& words, std::string* output = nullptr) {
        std::vector<std::string> arguments = words;
        arguments.insert(arguments.end(), {"--db", database_});
        return runServerCommand(arguments, "", output);
    }
};

TEST_F(Operator, TheAdminListenerShowsHealthAndMetricsAndThePlayersPortDoesNot) {
    const Game game = startGame(sender(), 2, 20);
    for (int i = 0; i < 3; ++i) ASSERT_EQ(send(game.sessionId, gamePairs(game.names[0], {})).rfind("#BES-", 0), 0u);
    ASSERT_EQ(send("nichtda", gamePairs(game.names[0], {})), "fehler;;Unbekannte Sitzung");
    ASSERT_EQ(send("", {{"infos", "onlinecheck"}}), "onlinecheck;;online");

    EXPECT_EQ(get(port(), "/metrics").rfind("HTTP/1.1 404", 0), 0u) << "never on the players' port";
    const std::string health = get(adminPort(), "/health");
    EXPECT_EQ(health.rfind("HTTP/1.1 200", 0), 0u) << health;
    EXPECT_EQ(bodyOf(health), "ok\n");

    // The server closes its side of the connections above on its own threads, after the client
    // has its reply: read the metrics until the last of them is gone, for at most five seconds.
    std::map<std::string, double> samples;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    do {
        const std::string response = get(adminPort(), "/metrics");
        ASSERT_EQ(response.rfind("HTTP/1.1 200", 0), 0u) << response;
        samples = parsedByPrometheus(bodyOf(response), directory_);
        ASSERT_FALSE(samples.empty()) << "refused by the parser:\n" << bodyOf(response);
    } while (samples.at("qz_open_connections{}") != 0 && std::chrono::steady_clock::now() < deadline);
    EXPECT_EQ(samples.at("qz_requests_total{command=spiel,result=ok}"), 3);
    EXPECT_EQ(samples.at("qz_requests_total{command=spiel,result=refused}"), 1);
    EXPECT_EQ(samples.at("qz_requests_total{command=onlinecheck,result=ok}"), 1);
    EXPECT_EQ(samples.at("qz_requests_total{command=login,result=ok}"), 2) << "the two players of startGame";
    double answered = 0;
    for (const auto& [name, value] : samples) {
        if (name.rfind("qz_requests_total{", 0) == 0) answered += value;
    }
    EXPECT_EQ(samples.at("qz_request_duration_seconds_count{}"), answered) << "every request once in the histogram";
    EXPECT_EQ(samples.at("qz_request_duration_seconds_bucket{le=+Inf}"), answered);
    EXPECT_EQ(samples.at("qz_running_games{}"), 1);
    EXPECT_EQ(samples.at("qz_players_online{}"), 2);
    EXPECT_EQ(samples.at("qz_database_errors_total{}"), 0);
    EXPECT_EQ(samples.at("qz_hash_queue_depth{}"), 0);
    EXPECT_EQ(samples.at("qz_open_connections{}"), 0) << "the player connections above are all closed";
}

TEST_F(Operator, ABanThroughTheDatabaseEndsTheSessionOnEveryInstanceAtItsNextRequest) {
    if (!postgresSelected()) GTEST_SKIP() << "instances share a database only on PostgreSQL";
    ServerProcess other(database_, {}, directory_ + "/other.log");
    const Game game = startGame(sender(), 2, 20, "Gast");
    const auto play = [&](int instance, int slot) {
        return post(instance == 0 ? port() : other.port(), game.sessionId, gamePairs(game.names[slot - 1], {}));
    };
    ASSERT_EQ(play(1, 1).rfind("#BES-", 0), 0u);

    std::string listed;
    ASSERT_EQ(command({"games"}, &listed), 0);
    EXPECT_NE(listed.find(game.sessionId + "  "), std::string::npos) << listed;
    EXPECT_NE(listed.find("players: " + game.names[0] + ", " + game.names[1]), std::string::npos) << listed;

    ASSERT_EQ(command({"user", "ban", game.names[0], "--hours", "2"}), 0);
    EXPECT_EQ(play(1, 1), "fehler;;Gesperrt") << "the other instance, at the very next request";
    EXPECT_EQ(play(0, 1), "fehler;;Gesperrt");
    EXPECT_EQ(post(other.port(), "", loginPairs(game.names[0])), "fehler;;Gesperrt");
    EXPECT_EQ(play(1, 2).rfind("#BES-", 0), 0u) << "the co-player plays on";
    ASSERT_EQ(command({"user", "unban", game.names[0]}), 0);
    EXPECT_EQ(play(1, 1).rfind("#BES-", 0), 0u);

    ASSERT_EQ(command({"user", "delete", game.names[1]}), 0);
    EXPECT_EQ(play(1, 2), "fehler;;Unbekannter Spieler");
    EXPECT_NE(command({"user", "delete", game.names[1]}), 0) << "no such account any more";

    ASSERT_EQ(command({"channel", "close", game.sessionId}), 0);
    EXPECT_EQ(play(1, 1), "fehler;;Unbekannte Sitzung");
    ASSERT_EQ(command({"games"}, &listed), 0);
    EXPECT_NE(listed.find("0 running games"), std::string::npos) << listed;
}

TEST_F(Operator, NamesAndPasswordsFromTheTerminalAreTheGamesCodePage437) {
    // The game types "ü" as byte 0x81; the terminal sends it as UTF-8.
    const std::string name = "J\x81rgen";
    ASSERT_EQ(runServerCommand({"user", "add", "J\u00fcrgen", "--db", database_, "--hash-cost", "minimum"},
                               "J\u00fcrgen-geheim\n"),
              0);
    EXPECT_EQ(send("", loginPairs(name)), "loginok") << "digestOf: the MD5 of the code page 437 \"J\x81rgen-geheim\"";
    ASSERT_EQ(command({"user", "ban", "J\u00fcrgen"}), 0);
    EXPECT_EQ(send("", loginPairs(name)), "fehler;;Gesperrt");
    ASSERT_EQ(command({"user", "unban", "J\u00fcrgen"}), 0);
    EXPECT_EQ(send("", loginPairs(name)), "loginok");
    const std::string stored = snapshot();
    std::string output;
    EXPECT_NE(command({"user", "add", "Euro\u20ac", "x"}, &output), 0) << "code page 437 has no euro sign";
    EXPECT_NE(output.find("cannot type"), std::string::npos) << output;
    EXPECT_NE(command({"user", "ban", "J\u00fcrgen\u20ac"}), 0);
    EXPECT_EQ(snapshot(), stored);
}

// A socket listening on a free loopback port, without SO_REUSEPORT, so nothing else can bind it.
class TakenPort {
public:
    TakenPort() : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), size) != 0 || ::listen(fd_, 1) != 0 ||
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
            throw std::runtime_error("cannot take a port");
        }
        port_ = ntohs(address.sin_port);
    }
    ~TakenPort() { ::close(fd_); }
    int port() const { return port_; }

private:
    int fd_;
    int port_ = 0;
};

TEST_F(Operator, AListenerThatCannotStartIsNamedWithTheOptionThatMovesIt) {
    const TakenPort taken;
    const std::string where = "127.0.0.1:" + std::to_string(taken.port());
    std::string output;
    EXPECT_EQ(command({"--bind", "127.0.0.1", "--port", std::to_string(taken.port()), "--admin-listen", "off"}, &output),
              1);
    EXPECT_NE(output.find("cannot listen for players on " + where + ": Address already in use (--port N and --bind "
                          "ADDRESS choose another)"),
              std::string::npos)
        << output;
    EXPECT_EQ(command({"--bind", "127.0.0.1", "--port", "0", "--admin-listen", where}, &output), 1);
    EXPECT_NE(output.find("cannot listen for the operator's /health and /metrics on " + where +
                          ": Address already in use (--admin-listen ADDRESS:PORT chooses another"),
              std::string::npos)
        << output;
}

TEST_F(Operator, APortFileNamesThePortTheServerListensOn) {
    const std::string file = directory_ + "/port";
    ServerProcess other(database_, {"--port-file", file}, directory_ + "/other.log");
    std::ifstream in(file);
    int written = 0;
    in >> written;
    EXPECT_EQ(written, other.port()) << "the port of its log line";
    EXPECT_EQ(post(written, "", {{"infos", "onlinecheck"}}), "onlinecheck;;online");
}

}  // namespace
}  // namespace qz::server::test

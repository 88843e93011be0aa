// libFuzzer over the server's request handling without sockets: the first input byte picks
// the session (a running game, a lobby, none, or a query string from the input), the
// sender's address (Anna's or Ben's) and how far the clock moves; the rest is the form body. Every reply must be framed, and the handler
// must survive anything.
#include "protocol/command_handler.hpp"
#include "base/log.hpp"
#include "storage/storage.hpp"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace qz::server;

std::string encode(const std::string& text) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (std::isalnum(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string body(const std::vector<std::pair<std::string, std::string>>& pairs) {
    std::string out;
    for (const auto& [key, value] : pairs) out += (out.empty() ? "" : "&") + key + "=" + encode(value);
    return out;
}

std::string between(const std::string& text, const std::string& open, const std::string& close) {
    const std::size_t start = text.find(open);
    const std::size_t end = text.find(close, start);
    return start == std::string::npos ? std::string() : text.substr(start + open.size(), end - start - open.size());
}

std::string list(int count, int (*value)(int)) {
    std::string out;
    for (int i = 1; i <= count; ++i) out += "," + std::to_string(value(i));
    return out;
}

ServerConfig fastHashing() {
    ServerConfig config;
    config.hashCost = HashCost::minimum;
    return config;
}

// A server with a running two-player game on 20 stars and an open lobby.
struct Setup {
    Storage storage{":memory:"};
    CommandHandler handler{storage, fastHashing(), 0};
    std::string game;
    std::string lobby;
    double now = 0;

    // Anna plays from the first address, Ben from the second.
    const std::string addresses[2] = {"10.0.0.1", "10.0.0.2"};

    std::string send(const std::string& session, const std::vector<std::pair<std::string, std::string>>& pairs,
                     int from = 0) {
        return handler.handle("PHPSESSID=" + session, body(pairs), now, addresses[from]);
    }

    Setup() {
        setLogLevel(LogLevel::error);
        send("", {{"infos", "login"}, {"i1", "Anna"}, {"i2", "0CC175B9C0F1B6A831C399E269772661"}}, 0);
        send("", {{"infos", "login"}, {"i1", "Ben"}, {"i2", "0CC175B9C0F1B6A831C399E269772661"}}, 1);
        const auto create = [this](const char* name) {
            return between(send("", {{"infos", "channel_erstellen"}, {"i1", name}, {"i2", ""}, {"i3", "2"},
                                     {"i4", "20"}, {"i5", "QZ0.10"}}),
                           "#sid-", "-sid#");
        };
        game = create("Spiel");
        lobby = create("Lobby");
        send(lobby, {{"infos", "channel"}, {"i1", "0"}, {"i2", "Anna"}, {"i3", "1"}, {"i4", "0"}});
        send(game, {{"infos", "channel"}, {"i1", "0"}, {"i2", "Anna"}, {"i3", "1"}, {"i4", "1"}});
        send(game, {{"infos", "channel"}, {"i1", ""}, {"i2", "Ben"}, {"i3", ""}, {"i4", ""}}, 1);
        std::string names;
        for (int i = 1; i <= 20; ++i) names += ",Planet X" + std::to_string(i);
        const std::string reply = send(
            game, {{"infos", "channel"}, {"i1", "42"}, {"i2", "Anna"}, {"i3", "1"}, {"i4", "1"}, {"i5", "20"},
                   {"i6", names}, {"i7", list(20, [](int i) { return i * 40; })},
                   {"i8", list(20, [](int i) { return i * 30; })},
                   {"i9", list(20, [](int i) { return i <= 2 ? i : 0; })},
                   {"i10", list(20, [](int i) { return i <= 2 ? 42 : i % 17 + 1; })},
                   {"i11", list(20, [](int i) { return i; })}, {"i12", list(20, [](int i) { return i; })},
                   {"i13", list(20, [](int i) { return i; })}, {"i14", list(20, [](int i) { return i; })},
                   {"i15", list(20, [](int i) { return i; })}, {"skarte", "3"},
                   {"i16", list(20, [](int) { return 0; })},
                   {"i17", list(20, [](int i) { return i <= 2 ? 5000 : 800; })}});
        if (reply.find("CODE:channel;;1;;") != 0) std::abort();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A fresh server now and then: inputs pile up accounts and channels, and a server that
    // only grows would slow the fuzzer down to a crawl.
    static std::unique_ptr<Setup> fresh;
    static int runs = 0;
    if (!fresh || ++runs % 2000 == 0) fresh = std::make_unique<Setup>();
    Setup& setup = *fresh;
    if (size == 0) return 0;
    const std::uint8_t control = data[0];
    std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string query;
    switch (control & 3) {
    case 0: query = "PHPSESSID=" + setup.game; break;
    case 1: query = "PHPSESSID=" + setup.lobby; break;
    case 2: break;
    default: {
        const std::size_t line = rest.find('\n');
        query = rest.substr(0, line);
        rest = line == std::string::npos ? std::string() : rest.substr(line + 1);
    }
    }
    setup.now += control >> 4;
    const std::string reply = setup.handler.handle(query, rest, setup.now, setup.addresses[(control >> 3) & 1]);
    if (reply.rfind("CODE:", 0) != 0 || reply.size() < 10 || reply.compare(reply.size() - 5, 5, ":EDOC") != 0) {
        std::abort();
    }
    if (control & 4) setup.handler.sweep(setup.now);
    return 0;
}

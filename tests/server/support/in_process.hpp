// The command handler on a private database (in memory on SQLite) with a clock the test sets.
#pragma once

#include "protocol/command_handler.hpp"
#include "scenario.hpp"
#include "storage/storage.hpp"
#include "test_database.hpp"

#include <memory>

namespace qz::server::test {

class InProcessServer {
public:
    explicit InProcessServer(const ServerConfig& config = testConfig())
        : config_(config), storage_(std::make_unique<Storage>(database_.name())) {
        restart();
    }

    // A new handler on the same storage, as after a restart of the server.
    void restart() { handler_ = std::make_unique<CommandHandler>(*storage_, config_, now); }

    std::string send(const std::string& sessionId, const Pairs& pairs) {
        const std::string framed = handler_->handle("PHPSESSID=" + sessionId, formBody(pairs), now, client);
        return framed.substr(5, framed.size() - 10);
    }
    Send sender() {
        return [this](const std::string& sessionId, const Pairs& pairs) { return send(sessionId, pairs); };
    }
    void sweep() { handler_->sweep(now); }
    Storage& storage() { return *storage_; }
    CommandHandler& handler() { return *handler_; }

    double now = 0;
    std::string client = "127.0.0.1";  // the sender's address of the next requests

    // The server's defaults with the cheapest password hash.
    static ServerConfig testConfig() {
        ServerConfig c;
        c.hashCost = HashCost::minimum;
        return c;
    }

private:
    ServerConfig config_;
    TestDatabase database_{":memory:"};
    std::unique_ptr<Storage> storage_;
    std::unique_ptr<CommandHandler> handler_;
};

}  // namespace qz::server::test

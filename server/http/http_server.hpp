// HTTP/1.1 over Boost.Beast: one POST per connection to the game's script path, the reply,
// then the server closes the connection, as the clients expect.
#pragma once

#include "http/client_address.hpp"
#include "http/admin_server.hpp"
#include "protocol/command_handler.hpp"

#include <memory>
#include <optional>
#include <string>

namespace qz::server {

// Seconds of wall time: instances on several machines share the times they store, so they
// need one clock (kept in step by NTP, as servers are).
double serverClock();

// The header that carries a private server's key (see HttpSettings::accessKey).
inline constexpr const char* kAccessKeyHeader = "X-QZ-Key";

struct HttpSettings {
    std::string bindAddress = "0.0.0.0";
    int port = 80;
    int threads = 2;
    int readTimeoutSeconds = kReadTimeoutSeconds;
    AddressPrefix bindPrefix;             // bits of the client address a login is bound to
    std::string trustedProxy;             // empty: X-Forwarded-For is ignored
    int maxConnections = kMaxConnections;
    int maxConnectionsPerAddress = kMaxConnectionsPerAddress;
    int hashThreads = kHashThreads;
    int hashQueue = kHashQueue;
    std::optional<AdminSettings> admin = AdminSettings();  // nothing: no admin listener
    // Not empty: every request must carry it in kAccessKeyHeader, else it is refused before it
    // is read as a command. A private server on the loopback address needs it, since every
    // process of every account on the machine comes from that address.
    std::string accessKey;
};

class HttpServer {
public:
    HttpServer(CommandHandler& handler, const HttpSettings& settings);
    ~HttpServer();

    // The port actually bound (useful with port 0).
    int port() const;
    // The admin listener's port, 0 without one.
    int adminPort() const;
    // Serves until SIGINT or SIGTERM.
    void run();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace qz::server

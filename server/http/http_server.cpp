#include "http/http_server.hpp"

#include "http/client_address.hpp"
#include "http/connection_limits.hpp"
#include "http/hash_lane.hpp"
#include "base/log.hpp"
#include "base/refusals.hpp"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/signal_set.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <limits>
#include <optional>
#include <stdexcept>
#include <thread>
#include <vector>

namespace qz::server {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

namespace {

constexpr std::string_view kScriptPath = "/games/qz/datenabfrage.php";
constexpr std::size_t kDrainLimit = 4 * 1024 * 1024;
constexpr int kDrainSeconds = 2;

// A log line at most once a second for events that may come by the thousand; the line
// counts what was not logged.
class EverySecond {
public:
    void log(LogLevel level, const std::string& text) {
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        long long last = last_.load();
        if (now - last < std::chrono::steady_clock::duration(std::chrono::seconds(1)).count() ||
            !last_.compare_exchange_strong(last, now)) {
            ++quiet_;
            return;
        }
        const long quiet = quiet_.exchange(0);
        logLine(level, text + (quiet > 0 ? " (and " + std::to_string(quiet) + " more in the last second)" : ""));
    }

private:
    std::atomic<long long> last_{0};
    std::atomic<long> quiet_{0};
};

std::string textOf(const asio::ip::address& address) {
    if (address.is_v6() && address.to_v6().is_v4_mapped()) {
        return asio::ip::make_address_v4(asio::ip::v4_mapped, address.to_v6()).to_string();
    }
    return address.to_string();
}

class Session : public std::enable_shared_from_this<Session> {
public:
    Session(tcp::socket socket, std::string peer, std::string counted, CommandHandler& handler, HashLane& hashLane,
            ConnectionLimits& limits, const HttpSettings& settings)
        : stream_(std::move(socket)),
          deadline_(stream_.get_executor()),
          handler_(handler),
          hashLane_(hashLane),
          limits_(limits),
          settings_(settings),
          readTimeout_(settings.readTimeoutSeconds),
          peer_(std::move(peer)),
          counted_(std::move(counted)) {}

    ~Session() { limits_.release(counted_); }

    void start() {
        // Room for a whole game request, so it arrives in one or two reads.
        buffer_.reserve(32 * 1024);
        parser_.emplace();
        parser_->header_limit(static_cast<std::uint32_t>(kMaxHeaderBytes));
        parser_->body_limit(kMaxBodyBytes);
        // Our own deadline rather than the stream's: the stream's closes the socket, and a
        // slow client is still owed its error reply.
        deadline_.expires_after(std::chrono::seconds(readTimeout_));
        deadline_.async_wait([self = shared_from_this()](beast::error_code error) {
            // A read that ends in the same pass as the timer fires has queued this handler
            // already, and cancel() no longer reaches it: the read owns the connection then,
            // and cancelling the socket would cut off the reply to a committed request.
            if (error || self->readDone_) return;
            self->timedOut_ = true;
            beast::error_code ignored;
            self->stream_.socket().cancel(ignored);
        });
        http::async_read(stream_, buffer_, *parser_,
                         [self = shared_from_this()](beast::error_code error, std::size_t) { self->onRead(error); });
    }

private:
    void onRead(beast::error_code error) {
        readDone_ = true;
        deadline_.cancel();
        if (timedOut_) {
            logLine(LogLevel::warn, "request refused: read time-out");
            return reply(http::status::request_timeout, errorReply(refusal("Zeitueberschreitung")), false);
        }
        if (error == http::error::body_limit) {
            logLine(LogLevel::warn, "request refused: body too large");
            return reply(http::status::payload_too_large, errorReply(refusal("Anfrage zu gross")), true);
        }
        if (error == http::error::header_limit) {
            logLine(LogLevel::warn, "request refused: header too large");
            return reply(http::status::request_header_fields_too_large, errorReply(refusal("Kopfzeilen zu gross")), true);
        }
        if (error) {
            if (error != http::error::end_of_stream && error != asio::error::connection_reset) {
                logLine(LogLevel::warn, "request refused: " + error.message());
                return reply(http::status::bad_request, errorReply(refusal("Anfrage fehlerhaft")), true);
            }
            return close();
        }
        const auto& request = parser_->get();
        const std::string_view target(request.target().data(), request.target().size());
        const std::size_t mark = target.find('?');
        const std::string_view path = target.substr(0, mark);
        const std::string_view query = mark == std::string_view::npos ? std::string_view() : target.substr(mark + 1);
        if (path != kScriptPath) return reply(http::status::not_found, "Not Found", false);
        if (request.method() != http::verb::post) return reply(http::status::method_not_allowed, "Method Not Allowed", false);
        if (!carriesAccessKey()) {
            logLine(LogLevel::warn, "request refused: without the server's key from=" + peer_);
            return reply(http::status::forbidden, errorReply(refusal("Kein Zugang")), false);
        }
        if (logEnabled(LogLevel::debug)) logLine(LogLevel::debug, "request " + std::string(target));
        if (!clientAddress()) {
            logLine(LogLevel::warn, "request refused: X-Forwarded-For without an address");
            return reply(http::status::bad_request, errorReply(refusal("Absenderadresse ungueltig")), false);
        }
        std::optional<std::string> text = handler_.handleWithoutHashing(query, request.body(), serverClock(), client_);
        if (text) return reply(http::status::ok, std::move(*text), false);
        // A login: the password hash takes a while and much memory, so logins wait their turn
        // on the hash lane instead of holding up the game traffic of an event loop.
        const bool queued = hashLane_.post(client_, [self = shared_from_this(), query] {
            std::string text = self->handler_.handle(query, self->parser_->get().body(), serverClock(), self->client_);
            asio::post(self->stream_.get_executor(), [self, text = std::move(text)]() mutable {
                self->reply(http::status::ok, std::move(text), false);
            });
        });
        if (queued) return;
        logLine(LogLevel::warn, "request refused: Server ausgelastet (login queue full) from=" + client_);
        reply(http::status::ok, errorReply(refusal("Server ausgelastet")), false);
    }

    // True without a key to check. The comparison takes as long wherever the first wrong byte
    // is, so the time of a refusal tells nothing about the key.
    bool carriesAccessKey() const {
        const std::string& key = settings_.accessKey;
        if (key.empty()) return true;
        const auto field = parser_->get().find(kAccessKeyHeader);
        if (field == parser_->get().end() || field->value().size() != key.size()) return false;
        unsigned char difference = 0;
        for (std::size_t i = 0; i < key.size(); ++i) {
            difference |= static_cast<unsigned char>(field->value()[i] ^ key[i]);
        }
        return difference == 0;
    }

    // The sender as logins are bound to it: the peer, or for the trusted proxy the address
    // it forwarded, cut to the configured prefix. False when the proxy sent no address.
    bool clientAddress() {
        std::string address = peer_;
        if (!settings_.trustedProxy.empty() && address == settings_.trustedProxy) {
            std::vector<std::string_view> lines;
            for (const auto& field : parser_->get()) {
                if (beast::iequals(field.name_string(), "X-Forwarded-For")) {
                    lines.emplace_back(field.value().data(), field.value().size());
                }
            }
            if (!lines.empty()) address = std::string(lastForwardedAddress(lines));
        }
        std::optional<std::string> bound = addressPrefix(address, settings_.bindPrefix);
        if (!bound) return false;
        client_ = std::move(*bound);
        return true;
    }

    void reply(http::status status, std::string body, bool drainAfter) {
        response_.result(status);
        response_.version(11);
        response_.set(http::field::server, "qz-server");
        response_.set(http::field::content_type, "text/html");
        if (status == http::status::method_not_allowed) response_.set(http::field::allow, "POST");
        response_.keep_alive(false);
        response_.body() = std::move(body);
        response_.prepare_payload();
        // From here on one deadline covers the rest of the connection, the write and the
        // drain together, so a client reading or sending slowly cannot hold it longer.
        closeBy_ = std::chrono::steady_clock::now() + std::chrono::seconds(readTimeout_);
        stream_.expires_at(closeBy_);
        http::async_write(stream_, response_,
                          [self = shared_from_this(), drainAfter](beast::error_code error, std::size_t) {
                              if (error || !drainAfter) return self->close();
                              self->drain();
                          });
    }

    // A refused request may still be arriving; reading it away before closing keeps the
    // connection from being reset, which would lose the reply on the client's side.
    // A byte now and then must not keep it open: the drain as a whole ends within
    // kDrainSeconds, however the bytes come.
    void drain() {
        beast::error_code ignored;
        stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
        if (!draining_) {
            draining_ = true;
            closeBy_ = std::min(closeBy_, std::chrono::steady_clock::now() + std::chrono::seconds(kDrainSeconds));
            discard_.resize(16384);  // most connections never need it
        }
        stream_.expires_at(closeBy_);
        stream_.async_read_some(asio::buffer(discard_), [self = shared_from_this()](beast::error_code error,
                                                                                    std::size_t bytes) {
            self->drained_ += bytes;
            if (error || self->drained_ > kDrainLimit) return self->close();
            self->drain();
        });
    }

    void close() {
        beast::error_code ignored;
        stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
        stream_.socket().close(ignored);
    }

    beast::tcp_stream stream_;
    asio::steady_timer deadline_;
    bool timedOut_ = false;
    bool readDone_ = false;
    bool draining_ = false;
    std::chrono::steady_clock::time_point closeBy_;  // the end of the reply and the drain
    CommandHandler& handler_;
    HashLane& hashLane_;
    ConnectionLimits& limits_;
    const HttpSettings& settings_;
    int readTimeout_;
    std::string peer_;    // the connection's own peer
    std::string counted_;  // the peer as the connection cap counts it
    std::string client_;  // the sender as logins are bound to it
    beast::flat_buffer buffer_;
    std::optional<http::request_parser<http::string_body>> parser_;
    http::response<http::string_body> response_;
    std::vector<char> discard_;
    std::size_t drained_ = 0;
};

}  // namespace

double serverClock() {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

#ifdef _WIN32
// Windows shares no port between listening sockets (it has no SO_REUSEPORT, and its
// SO_REUSEADDR would let another program take the port over): one loop listens, alone.
constexpr int kMaxLoops = 1;
#else
using ReusePort = asio::detail::socket_option::boolean<SOL_SOCKET, SO_REUSEPORT>;
constexpr int kMaxLoops = std::numeric_limits<int>::max();
#endif

// One single-threaded event loop per thread, each with its own listening socket on the same
// port: the kernel spreads new connections over them and no two threads share a queue.
struct Loop {
    asio::io_context context{1};
    tcp::acceptor acceptor{context};
    asio::steady_timer backOff{context};
};

// The whole reply to a connection over a cap: short enough for the socket's empty send
// buffer, so it is written at once without an event loop's help.
void refuseConnection(tcp::socket& socket) {
    static const std::string kReply = [] {
        const std::string body = errorReply(refusal("Server voll"));
        return "HTTP/1.1 503 Service Unavailable\r\nServer: qz-server\r\nContent-Type: text/html\r\n"
               "Connection: close\r\nContent-Length: " +
               std::to_string(body.size()) + "\r\n\r\n" + body;
    }();
    beast::error_code ignored;
    socket.non_blocking(true, ignored);
    asio::write(socket, asio::buffer(kReply), ignored);
    socket.shutdown(tcp::socket::shutdown_both, ignored);
    socket.close(ignored);
}

// Errors after which accepting again at once would only fail again: the process or the
// system is out of descriptors or memory.
bool needsBackOff(const beast::error_code& error) {
    return error == asio::error::no_descriptors || error == asio::error::no_buffer_space ||
           error == asio::error::no_memory || error == beast::error_code(ENFILE, asio::error::get_system_category());
}

struct HttpServer::Impl {
    Impl(CommandHandler& handler, const HttpSettings& settings)
        : handler(handler),
          settings(settings),
          limits(settings.maxConnections, settings.maxConnectionsPerAddress, settings.trustedProxy),
          hashLane(settings.hashThreads, static_cast<std::size_t>(settings.hashQueue), kHashQueuePerAddress) {
        try {
            tcp::endpoint endpoint(asio::ip::make_address(settings.bindAddress),
                                   static_cast<unsigned short>(settings.port));
            for (int i = 0; i < std::clamp(settings.threads, 1, kMaxLoops); ++i) {
                auto loop = std::make_unique<Loop>();
                loop->acceptor.open(endpoint.protocol());
#ifndef _WIN32
                loop->acceptor.set_option(asio::socket_base::reuse_address(true));
                loop->acceptor.set_option(ReusePort(true));
#endif
                loop->acceptor.bind(endpoint);
                loop->acceptor.listen(asio::socket_base::max_listen_connections);
                endpoint = loop->acceptor.local_endpoint();  // port 0: the others take the same port
                loops.push_back(std::move(loop));
            }
        } catch (const boost::system::system_error& error) {
            throw std::runtime_error("cannot listen for players on " + settings.bindAddress + ":" +
                                     std::to_string(settings.port) + ": " + error.code().message() +
                                     " (--port N and --bind ADDRESS choose another)");
        }
        if (settings.admin) {
            admin = std::make_unique<AdminServer>(
                *settings.admin, [&handler] { return handler.databaseAnswers(); },
                [this] {
                    const StoredCounts stored = this->handler.storedCounts(serverClock());
                    MetricGauges gauges;
                    gauges.openConnections = limits.open();
                    gauges.hashQueueDepth = static_cast<long long>(hashLane.waiting());
                    gauges.runningGames = stored.runningGames;
                    gauges.playersOnline = stored.playersOnline;
                    return this->handler.metrics().exposition(gauges);
                });
        }
    }

    void accept(Loop& loop) {
        loop.acceptor.async_accept([this, &loop](beast::error_code error, tcp::socket socket) {
            if (error == asio::error::operation_aborted) return;
            if (error && needsBackOff(error)) {
                acceptTrouble.log(LogLevel::error, "cannot accept connections: " + error.message() + "; waiting " +
                                                       std::to_string(kAcceptBackOffMilliseconds) + " ms");
                loop.backOff.expires_after(std::chrono::milliseconds(kAcceptBackOffMilliseconds));
                loop.backOff.async_wait([this, &loop](beast::error_code waitError) {
                    if (!waitError) accept(loop);
                });
                return;
            }
            if (!error) serve(std::move(socket));
            accept(loop);
        });
    }

    void serve(tcp::socket socket) {
        beast::error_code error;
        const tcp::endpoint peer = socket.remote_endpoint(error);
        if (error) return;  // already gone
        std::string address = textOf(peer.address());
        // The cap counts by the prefix that makes one identity, or one IPv6 line could open
        // a connection from each of its addresses; the trusted proxy counts as itself.
        std::string counted = address == settings.trustedProxy
                                  ? address
                                  : addressPrefix(address, settings.bindPrefix).value_or(address);
        if (!limits.admit(counted)) {
            overCap.log(LogLevel::warn, "connection refused: Server voll (connection cap) from=" + counted);
            return refuseConnection(socket);
        }
        socket.set_option(tcp::no_delay(true), error);
        std::make_shared<Session>(std::move(socket), std::move(address), std::move(counted), handler, hashLane, limits,
                                  settings)
            ->start();
    }

    void scheduleSweep(asio::steady_timer& timer) {
        timer.expires_after(std::chrono::seconds(5));
        timer.async_wait([this, &timer](beast::error_code error) {
            if (error) return;
            handler.sweep(serverClock());
            scheduleSweep(timer);
        });
    }

    void stop() {
        for (auto& loop : loops) loop->context.stop();
        hashLane.stop();
    }

    CommandHandler& handler;
    HttpSettings settings;
    ConnectionLimits limits;  // outlives the loops: their sessions release into it
    EverySecond acceptTrouble;
    EverySecond overCap;
    std::vector<std::unique_ptr<Loop>> loops;
    HashLane hashLane;  // ends before the loops: a login finishing posts its reply to a loop
    std::unique_ptr<AdminServer> admin;  // ends first: it reads the limits and the lane
};

HttpServer::HttpServer(CommandHandler& handler, const HttpSettings& settings)
    : impl_(std::make_unique<Impl>(handler, settings)) {}

HttpServer::~HttpServer() = default;

int HttpServer::port() const { return impl_->loops.front()->acceptor.local_endpoint().port(); }

int HttpServer::adminPort() const { return impl_->admin ? impl_->admin->port() : 0; }

#ifdef _WIN32
namespace {

// Windows reports Ctrl+C as SIGINT, but Ctrl+Break and the closing of the console (or the
// user's logging off) only to a console handler: it passes them on as SIGINT. Returning from
// the closing console's event would end the process at once, so its thread waits while the
// server stops cleanly and the process ends.
BOOL WINAPI consoleEvent(DWORD event) {
    if (event == CTRL_C_EVENT) return FALSE;  // the C runtime's own handler raises SIGINT
    std::raise(SIGINT);
    if (event != CTRL_BREAK_EVENT) Sleep(INFINITE);
    return TRUE;
}

// The game's private server has a console nobody sees: the game asks it to end through an
// event named for its process id, made before the server ran (the game's
// platform/ende_ereignis_windows.hpp); set, it counts as Ctrl+C.
void watchEndEvent() {
    const std::wstring name = L"Local\\qz-ende-" + std::to_wstring(GetCurrentProcessId());
    const HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, name.c_str());
    if (!event) return;
    std::thread([event] {
        if (WaitForSingleObject(event, INFINITE) == WAIT_OBJECT_0) std::raise(SIGINT);
    }).detach();
}

}  // namespace
#endif

void HttpServer::run() {
    asio::io_context& first = impl_->loops.front()->context;
    asio::signal_set signals(first, SIGINT, SIGTERM);
#ifdef _WIN32
    SetConsoleCtrlHandler(consoleEvent, TRUE);
    watchEndEvent();
#endif
    signals.async_wait([this](beast::error_code error, int signal) {
        if (error) return;
        logLine(LogLevel::info, "stopping on signal " + std::to_string(signal));
        impl_->stop();
    });
    asio::steady_timer sweepTimer(first);
    impl_->scheduleSweep(sweepTimer);
    for (auto& loop : impl_->loops) impl_->accept(*loop);
    logLine(LogLevel::info, "listening on " + impl_->settings.bindAddress + ":" + std::to_string(port()));
    if (impl_->admin) {
        logLine(LogLevel::info, "admin listening on " + impl_->settings.admin->address + ":" + std::to_string(adminPort()));
    }
    std::vector<std::thread> workers;
    for (std::size_t i = 1; i < impl_->loops.size(); ++i) {
        workers.emplace_back([this, i] { impl_->loops[i]->context.run(); });
    }
    first.run();
    impl_->stop();
    for (std::thread& worker : workers) worker.join();
}

}  // namespace qz::server

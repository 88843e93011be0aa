#include "http/admin_server.hpp"

#include "base/log.hpp"

#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace qz::server {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

namespace {

constexpr int kAdminTimeoutSeconds = 5;

class AdminSession : public std::enable_shared_from_this<AdminSession> {
public:
    AdminSession(tcp::socket socket, const std::function<bool()>& healthy, const std::function<std::string()>& metrics)
        : stream_(std::move(socket)), healthy_(healthy), metrics_(metrics) {}

    void start() {
        stream_.expires_after(std::chrono::seconds(kAdminTimeoutSeconds));
        http::async_read(stream_, buffer_, request_, [self = shared_from_this()](beast::error_code error, std::size_t) {
            if (!error) self->answer();
        });
    }

private:
    void answer() {
        const std::string_view target(request_.target().data(), request_.target().size());
        const std::string_view path = target.substr(0, target.find('?'));
        response_.version(11);
        response_.keep_alive(false);
        response_.set(http::field::server, "qz-server");
        response_.set(http::field::content_type, "text/plain; charset=utf-8");
        if (path != "/health" && path != "/metrics") {
            response_.result(http::status::not_found);
            response_.body() = "Not Found\n";
        } else if (request_.method() != http::verb::get && request_.method() != http::verb::head) {
            response_.result(http::status::method_not_allowed);
            response_.set(http::field::allow, "GET");
            response_.body() = "Method Not Allowed\n";
        } else if (path == "/health") {
            const bool up = healthy_();
            response_.result(up ? http::status::ok : http::status::service_unavailable);
            response_.body() = up ? "ok\n" : "Datenbank nicht erreichbar\n";
        } else {
            response_.result(http::status::ok);
            response_.set(http::field::content_type, "text/plain; version=0.0.4; charset=utf-8");
            response_.body() = metrics_();
        }
        response_.prepare_payload();
        if (request_.method() == http::verb::head) response_.body().clear();
        http::async_write(stream_, response_, [self = shared_from_this()](beast::error_code, std::size_t) {
            beast::error_code ignored;
            self->stream_.socket().shutdown(tcp::socket::shutdown_both, ignored);
        });
    }

    beast::tcp_stream stream_;
    beast::flat_buffer buffer_;
    http::request<http::string_body> request_;
    http::response<http::string_body> response_;
    const std::function<bool()>& healthy_;
    const std::function<std::string()>& metrics_;
};

}  // namespace

struct AdminServer::Impl {
    Impl(const AdminSettings& settings, std::function<bool()> healthy, std::function<std::string()> metrics)
        : healthy(std::move(healthy)), metrics(std::move(metrics)) {
        try {
            const tcp::endpoint endpoint(asio::ip::make_address(settings.address),
                                         static_cast<unsigned short>(settings.port));
            acceptor.open(endpoint.protocol());
            acceptor.set_option(asio::socket_base::reuse_address(true));
            acceptor.bind(endpoint);
            acceptor.listen();
        } catch (const boost::system::system_error& error) {
            const bool v6 = settings.address.find(':') != std::string::npos;
            throw std::runtime_error("cannot listen for the operator's /health and /metrics on " +
                                     (v6 ? "[" + settings.address + "]" : settings.address) + ":" +
                                     std::to_string(settings.port) + ": " + error.code().message() +
                                     " (--admin-listen ADDRESS:PORT chooses another, --admin-listen off none)");
        }
        accept();
        thread = std::thread([this] { context.run(); });
    }

    ~Impl() {
        context.stop();
        thread.join();
    }

    void accept() {
        acceptor.async_accept([this](beast::error_code error, tcp::socket socket) {
            if (error == asio::error::operation_aborted) return;
            if (!error) std::make_shared<AdminSession>(std::move(socket), healthy, metrics)->start();
            accept();
        });
    }

    std::function<bool()> healthy;
    std::function<std::string()> metrics;
    asio::io_context context{1};
    tcp::acceptor acceptor{context};
    std::thread thread;
};

AdminServer::AdminServer(const AdminSettings& settings, std::function<bool()> healthy,
                         std::function<std::string()> metrics)
    : impl_(std::make_unique<Impl>(settings, std::move(healthy), std::move(metrics))) {}

AdminServer::~AdminServer() = default;

int AdminServer::port() const { return impl_->acceptor.local_endpoint().port(); }

}  // namespace qz::server

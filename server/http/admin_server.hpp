// The operator's listener, apart from the players' port: GET /health (200 while the
// database answers, 503 otherwise) and GET /metrics (Prometheus text format). It runs on a
// thread of its own, so a slow scrape never holds up a game request.
#pragma once

#include "base/metrics.hpp"

#include <functional>
#include <memory>
#include <string>

namespace qz::server {

struct AdminSettings {
    std::string address = "127.0.0.1";
    int port = 9480;  // 0 picks a free one
};

class AdminServer {
public:
    // `healthy` asks the database; `metrics` renders the page. Both run on the admin thread.
    AdminServer(const AdminSettings& settings, std::function<bool()> healthy, std::function<std::string()> metrics);
    ~AdminServer();
    AdminServer(const AdminServer&) = delete;
    AdminServer& operator=(const AdminServer&) = delete;

    int port() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace qz::server

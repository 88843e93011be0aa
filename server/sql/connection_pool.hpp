// A bounded set of database connections of one server instance. Connections are made when
// first needed and again after one was lost, so the instance finds its database again by
// itself after an outage.
#pragma once

#include "sql/sql_connection.hpp"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qz::server {

class ConnectionPool {
public:
    ConnectionPool(std::string database, int size);

    // One connection, given back when the lease ends; a lost one is dropped instead.
    class Lease {
    public:
        Lease(ConnectionPool& pool, std::unique_ptr<SqlConnection> connection)
            : pool_(&pool), connection_(std::move(connection)) {}
        Lease(Lease&& other) noexcept = default;
        Lease& operator=(Lease&&) = delete;
        ~Lease();
        SqlConnection& operator*() const { return *connection_; }
        SqlConnection* operator->() const { return connection_.get(); }

    private:
        ConnectionPool* pool_;
        std::unique_ptr<SqlConnection> connection_;
    };

    // Waits for a free connection. Throws DatabaseUnavailable when none can be made, or
    // when all stay busy for longer than a client waits. A thread that asks again while it
    // holds the only connection would wait for itself: that is a logic_error at once.
    Lease acquire();

private:
    void giveBack(std::unique_ptr<SqlConnection> connection);

    const std::string database_;
    const int size_;
    std::mutex mutex_;
    std::condition_variable freed_;
    std::vector<std::unique_ptr<SqlConnection>> idle_;
    int open_ = 0;
    std::thread::id soleHolder_;  // with one connection: the thread that has it
    // After a failed attempt, requests are refused at once for a moment instead of each
    // waiting for its own connection attempt to fail.
    std::chrono::steady_clock::time_point retryAfter_{};
};

}  // namespace qz::server

#include "sql/connection_pool.hpp"

#include "base/log.hpp"
#include "sql/deadline.hpp"

#include <algorithm>

namespace qz::server {

namespace {

constexpr auto kWaitForConnection = std::chrono::seconds(8);
constexpr auto kRetryPause = std::chrono::milliseconds(250);

}  // namespace

ConnectionPool::ConnectionPool(std::string database, int size) : database_(std::move(database)), size_(size) {}

ConnectionPool::Lease::~Lease() {
    if (pool_ && connection_) pool_->giveBack(std::move(connection_));
}

ConnectionPool::Lease ConnectionPool::acquire() {
    std::unique_lock lock(mutex_);
    if (size_ == 1 && soleHolder_ == std::this_thread::get_id()) {
        throw std::logic_error("storage used while this thread holds the only database connection");
    }
    const auto until = std::min(std::chrono::steady_clock::now() + kWaitForConnection, DatabaseDeadline::current());
    if (!freed_.wait_until(lock, until, [this] { return !idle_.empty() || open_ < size_; })) {
        throw DatabaseUnavailable("every database connection stayed busy");
    }
    if (size_ == 1) soleHolder_ = std::this_thread::get_id();
    while (!idle_.empty()) {
        std::unique_ptr<SqlConnection> connection = std::move(idle_.back());
        idle_.pop_back();
        if (!connection->broken()) return Lease(*this, std::move(connection));
        // Lost while idle (the database restarted): a new one takes its place.
        --open_;
    }
    if (std::chrono::steady_clock::now() < retryAfter_) {
        soleHolder_ = {};
        throw DatabaseUnavailable("database still away");
    }
    ++open_;
    lock.unlock();
    try {
        return Lease(*this, connectDatabase(database_));
    } catch (const DatabaseUnavailable& error) {
        lock.lock();
        --open_;
        soleHolder_ = {};
        retryAfter_ = std::chrono::steady_clock::now() + kRetryPause;
        freed_.notify_one();
        logLine(LogLevel::warn, error.what());
        throw;
    } catch (...) {
        lock.lock();
        --open_;
        soleHolder_ = {};
        freed_.notify_one();
        throw;
    }
}

void ConnectionPool::giveBack(std::unique_ptr<SqlConnection> connection) {
    const bool drop = connection->broken();
    if (drop) connection.reset();
    std::lock_guard lock(mutex_);
    soleHolder_ = {};
    if (drop) {
        --open_;
    } else {
        idle_.push_back(std::move(connection));
    }
    freed_.notify_one();
}

}  // namespace qz::server

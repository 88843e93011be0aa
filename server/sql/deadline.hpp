// The time by which the request a thread works on must be done with the database. A
// database that stops answering (a cut network, a stopped or stuck server, a row lock held
// by an instance that lost its power) then costs the request a DatabaseUnavailable at that
// time, never an event loop for as long as TCP takes to notice.
#pragma once

#include <chrono>

namespace qz::server {

// How long one request may take with the database, in total: the wait for a connection and
// every round trip of it.
inline constexpr std::chrono::milliseconds kRequestDatabaseTime{6000};

class DatabaseDeadline {
public:
    using Clock = std::chrono::steady_clock;
    // Sets the deadline of this thread's request to `budget` from now, until destroyed.
    explicit DatabaseDeadline(Clock::duration budget);
    ~DatabaseDeadline();
    DatabaseDeadline(const DatabaseDeadline&) = delete;
    DatabaseDeadline& operator=(const DatabaseDeadline&) = delete;

    // The deadline of this thread's request; without one (start-up, the sweep, tools) each
    // step gets `budget` from now.
    static Clock::time_point current(Clock::duration budget = kRequestDatabaseTime);

private:
    Clock::time_point previous_;
};

}  // namespace qz::server

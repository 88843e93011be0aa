#include "sql/deadline.hpp"

namespace qz::server {

namespace {

thread_local DatabaseDeadline::Clock::time_point requestDeadline{};  // the epoch: none

}  // namespace

DatabaseDeadline::DatabaseDeadline(Clock::duration budget) : previous_(requestDeadline) {
    requestDeadline = Clock::now() + budget;
}

DatabaseDeadline::~DatabaseDeadline() { requestDeadline = previous_; }

DatabaseDeadline::Clock::time_point DatabaseDeadline::current(Clock::duration budget) {
    return requestDeadline == Clock::time_point{} ? Clock::now() + budget : requestDeadline;
}

}  // namespace qz::server

#include "base/log.hpp"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

namespace qz::server {

namespace {

std::atomic<int> minimumLevel{static_cast<int>(LogLevel::info)};

const char* levelName(LogLevel level) {
    switch (level) {
    case LogLevel::debug: return "debug";
    case LogLevel::info: return "info";
    case LogLevel::warn: return "warn";
    case LogLevel::error: return "error";
    }
    return "info";
}

}  // namespace

void setLogLevel(LogLevel level) { minimumLevel = static_cast<int>(level); }

bool logEnabled(LogLevel level) { return static_cast<int>(level) >= minimumLevel; }

void logLine(LogLevel level, std::string_view text) {
    if (!logEnabled(level)) return;
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &utc);
    std::string line;
    line.reserve(text.size() + 48);
    line += stamp;
    line += ' ';
    line += levelName(level);
    line += ' ';
    for (char c : text) line += (c == '\n' || c == '\r') ? ' ' : c;
    line += '\n';
    // One write per line keeps lines whole when several threads log at once.
    std::fwrite(line.data(), 1, line.size(), stderr);
    // Windows' C runtime buffers stderr when it is a file or a pipe: an operator or a test
    // reading the log must see the line now, not when the buffer fills.
    std::fflush(stderr);
}

}  // namespace qz::server

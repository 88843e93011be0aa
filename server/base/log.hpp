// Server log: one line per event on standard error, with a time stamp and a level.
#pragma once

#include <string_view>

namespace qz::server {

enum class LogLevel { debug = 0, info = 1, warn = 2, error = 3 };

void setLogLevel(LogLevel level);
bool logEnabled(LogLevel level);
void logLine(LogLevel level, std::string_view text);

}  // namespace qz::server

// The central server the game talks to unless the player names another (the login screen's
// "Server" field, `qz --server`, the settings file): chosen when the game is built (CMake cache
// variables QZ_SERVER_HOST and QZ_SERVER_PORT), so a build for one server needs nothing else.
#pragma once

#include <cstdint>

namespace qz {

extern const char* const kServerHost;
extern const std::uint16_t kServerPort;

}  // namespace qz

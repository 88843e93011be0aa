// The central server the game talks to: a fixed IPv4 address and port chosen when the game is
// built (CMake cache variables QZ_SERVER_HOST and QZ_SERVER_PORT). The game takes no arguments
// and reads no environment, so this is the only place the endpoint comes from.
#pragma once

#include <cstdint>

namespace qz {

extern const char* const kServerHost;
extern const std::uint16_t kServerPort;

}  // namespace qz

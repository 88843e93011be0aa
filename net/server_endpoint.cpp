#include "net/server_endpoint.hpp"

namespace qz {

const char* const kServerHost = QZ_SERVER_HOST_TEXT;
const std::uint16_t kServerPort = QZ_SERVER_PORT_NUMBER;

}  // namespace qz

// A server as a player writes it: a host name, a dotted IPv4 address or an IPv6 address, and
// an optional ":port" (an IPv6 address then goes in brackets, as in a URL). The host as
// written, brackets included, is both what the TCP layer connects to and the Host: header.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qz {

struct ServerAddress {
    std::string host;  // a name, a dotted IPv4 address or "[IPv6]"
    std::uint16_t port = 80;
    bool operator==(const ServerAddress&) const = default;
};

// Reads "host", "host:port", "[v6]", "[v6]:port" or a bare IPv6 address (no port then),
// spaces around it ignored; a bare IPv6 address is put in brackets. Nothing for anything
// else: an empty host, characters no host name has, a port outside 1..65535.
std::optional<ServerAddress> parseServerAddress(std::string_view text);

// The text that reads back as the same address: the host, and ":port" unless it is 80.
std::string serverAddressText(const ServerAddress& address);

}  // namespace qz

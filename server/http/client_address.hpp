// The client's network address as the server's rules see it: the connection's peer, or the
// address a trusted proxy forwarded, cut to the operator's prefix length.
#pragma once

#include "base/limits.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz::server {

// How many leading bits of a client address make one identity. IPv4 and IPv6 differ: a
// household has one IPv4 address but a whole IPv6 /64, so one number cannot fit both.
struct AddressPrefix {
    int v4 = kDefaultBindPrefixV4;
    int v6 = kDefaultBindPrefixV6;
};

// The first `prefix.v4` (IPv4) or `prefix.v6` (IPv6) bits of an address in its usual text
// form, the rest zero ("10.1.2.3" with 24 gives "10.1.2.0"); a prefix is capped at the
// address length. An IPv4 address mapped into IPv6 counts as IPv4. Nothing when the text is
// no address.
std::optional<std::string> addressPrefix(std::string_view address, AddressPrefix prefix);

// The rightmost entry of all X-Forwarded-For header lines together, in the order they came:
// the client as the nearest proxy, the trusted one, saw it. A proxy may append its own line
// after the client's instead of extending it, so only the last line's last entry counts;
// everything further left was written by the client and proves nothing.
std::string_view lastForwardedAddress(const std::vector<std::string_view>& lines);

}  // namespace qz::server

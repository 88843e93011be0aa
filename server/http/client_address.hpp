// The client's network address as the server's rules see it: the connection's peer, or the
// address a trusted proxy forwarded, cut to the operator's prefix length.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qz::server {

// The first `prefixBits` bits of an IPv4 or IPv6 address in its usual text form, the rest
// zero ("10.1.2.3" with 24 gives "10.1.2.0"); the prefix is capped at the address length.
// An IPv4 address mapped into IPv6 counts as IPv4. Nothing when the text is no address.
std::optional<std::string> addressPrefix(std::string_view address, int prefixBits);

// The rightmost entry of an X-Forwarded-For header: the client as the nearest proxy, the
// trusted one, saw it. Entries further left were written by the client and prove nothing.
std::string_view lastForwardedAddress(std::string_view header);

}  // namespace qz::server

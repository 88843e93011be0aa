// The client address as identity: the prefix each address family is cut to, and the entry
// of X-Forwarded-For that a trusted proxy vouches for.
#include "http/client_address.hpp"

#include <gtest/gtest.h>

namespace qz::server {
namespace {

TEST(ClientAddress, EachFamilyIsCutToItsOwnPrefix) {
    struct Case {
        const char* address;
        AddressPrefix prefix;
        const char* expected;  // empty: no address
    };
    const Case cases[] = {
        {"10.1.2.3", {}, "10.1.2.3"},                                  // IPv4 default: the exact address
        {"2001:db8:1:2:aaaa:bbbb:cccc:dddd", {}, "2001:db8:1:2::"},    // IPv6 default: the /64
        {"2001:db8:1:2:aaaa::1", {32, 128}, "2001:db8:1:2:aaaa::1"},
        {"2001:db8:1:2:aaaa::1", {32, 48}, "2001:db8:1::"},
        {"2001:db8:1:2:aaaa::1", {24, 64}, "2001:db8:1:2::"},          // the IPv4 prefix leaves IPv6 alone
        {"10.1.2.3", {24, 128}, "10.1.2.0"},                           // and the IPv6 one leaves IPv4 alone
        {"10.1.2.255", {31, 64}, "10.1.2.254"},                        // 0xFF with 7 of its 8 bits kept
        {"::ffff:10.1.2.3", {24, 64}, "10.1.2.0"},                     // mapped IPv4 is IPv4
        {"10.1.2.3", {0, 0}, "0.0.0.0"},
        {"10.1.2.3", {40, 200}, "10.1.2.3"},                           // capped at the address length
        {"kein Rechner", {}, ""},
        {"10.1.2", {}, ""},
        {"", {}, ""},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> cut = addressPrefix(c.address, c.prefix);
        EXPECT_EQ(cut.value_or(""), c.expected) << c.address << " /" << c.prefix.v4 << " /" << c.prefix.v6;
    }
}

TEST(ClientAddress, OnlyTheRightmostForwardedEntryOfAllLinesCounts) {
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(lastForwardedAddress(Lines{"10.0.0.2"}), "10.0.0.2");
    // nginx: one line, the client's own entries first.
    EXPECT_EQ(lastForwardedAddress(Lines{"1.2.3.4, 10.0.0.2"}), "10.0.0.2");
    EXPECT_EQ(lastForwardedAddress(Lines{"1.2.3.4,10.0.0.2 "}), "10.0.0.2");
    // HAProxy: its own line after the one the client forged.
    EXPECT_EQ(lastForwardedAddress(Lines{"1.2.3.4", "10.0.0.2"}), "10.0.0.2");
    EXPECT_EQ(lastForwardedAddress(Lines{"1.2.3.4", "5.6.7.8, 9.9.9.9", "10.0.0.2"}), "10.0.0.2");
    EXPECT_EQ(lastForwardedAddress(Lines{"1.2.3.4", ""}), "") << "an empty last line is no address";
    EXPECT_EQ(lastForwardedAddress(Lines{}), "");
}

}  // namespace
}  // namespace qz::server

// A server address as a player writes it, read into the host the layer connects to (and the
// Host: header names) and the port, and written back.
#include "net/server_address.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(ServerAddress, ReadsNamesIpv4AndIpv6WithAndWithoutAPort)
{
    struct Fall {
        const char* text;
        const char* host;  // nullptr: not an address
        int port;
        const char* zurueck;  // what serverAddressText gives
    };
    const Fall faelle[] = {
        {"localhost", "localhost", 80, "localhost"},
        {"qz.example.org:8080", "qz.example.org", 8080, "qz.example.org:8080"},
        {"  192.168.1.20:80 ", "192.168.1.20", 80, "192.168.1.20"},
        {"[::1]:4000", "[::1]", 4000, "[::1]:4000"},
        {"[2001:db8::7]", "[2001:db8::7]", 80, "[2001:db8::7]"},
        {"::1", "[::1]", 80, "[::1]"},  // bare: no port can follow
        {"host:1", "host", 1, "host:1"},
        {"host:65535", "host", 65535, "host:65535"},
        {"host:0", nullptr, 0, ""},
        {"host:65536", nullptr, 0, ""},
        {"host:", nullptr, 0, ""},
        {"host:8o", nullptr, 0, ""},
        {"", nullptr, 0, ""},
        {":80", nullptr, 0, ""},
        {"-host", nullptr, 0, ""},
        {"ho st", nullptr, 0, ""},
        {"host/pfad", nullptr, 0, ""},
        {"[::1", nullptr, 0, ""},
        {"[::1]x", nullptr, 0, ""},
        {"[qz.example.org]:80", nullptr, 0, ""},
        {"::1:80:x", nullptr, 0, ""},
    };
    for (const Fall& f : faelle) {
        const std::optional<ServerAddress> a = parseServerAddress(f.text);
        if (!f.host) {
            EXPECT_FALSE(a) << f.text;
            continue;
        }
        ASSERT_TRUE(a) << f.text;
        EXPECT_EQ(a->host, f.host) << f.text;
        EXPECT_EQ(a->port, f.port) << f.text;
        EXPECT_EQ(serverAddressText(*a), f.zurueck) << f.text;
        EXPECT_EQ(parseServerAddress(serverAddressText(*a)), a) << f.text;
    }
}

}  // namespace
}  // namespace qz

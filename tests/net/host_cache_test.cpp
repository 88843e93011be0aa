// The host cache: one lookup per name and minute, dotted addresses without a lookup.
#include "net/host_cache.hpp"

#include <arpa/inet.h>
#include <gtest/gtest.h>

namespace qz {
namespace {

struct FakeWorld {
    double now = 1000.0;
    int lookups = 0;
    bool known = true;

    HostCache cache{[this](const std::string&) -> std::optional<std::uint32_t> {
                        ++lookups;
                        if (!known) return std::nullopt;
                        return htonl(0x0A000001);
                    },
                    [this] { return now; }};
};

TEST(HostCache, ANameIsLookedUpOnceWithinAMinute)
{
    FakeWorld world;
    EXPECT_EQ(world.cache.resolve("server.example"), htonl(0x0A000001));
    world.now += 59.9;
    EXPECT_EQ(world.cache.resolve("server.example"), htonl(0x0A000001));
    EXPECT_EQ(world.lookups, 1);
    world.now += 0.2;
    world.cache.resolve("server.example");
    EXPECT_EQ(world.lookups, 2);
}

TEST(HostCache, EntriesAreKeyedByTheExactText)
{
    FakeWorld world;
    world.cache.resolve("server.example");
    world.cache.resolve("Server.example");
    EXPECT_EQ(world.lookups, 2);
}

TEST(HostCache, DottedAddressesNeedNoLookup)
{
    FakeWorld world;
    EXPECT_EQ(world.cache.resolve("127.0.0.1"), htonl(INADDR_LOOPBACK));
    EXPECT_EQ(world.cache.resolve("192.168.1.20"), htonl(0xC0A80114));
    EXPECT_EQ(world.lookups, 0);
}

TEST(HostCache, AFailedLookupIsNotCached)
{
    FakeWorld world;
    world.known = false;
    EXPECT_FALSE(world.cache.resolve("nirgendwo.example"));
    world.known = true;
    EXPECT_TRUE(world.cache.resolve("nirgendwo.example"));
    EXPECT_EQ(world.lookups, 2);
}

TEST(HostCache, TheSystemResolverFindsLocalhostWithoutTheNetwork)
{
    EXPECT_EQ(systemResolve("localhost"), htonl(INADDR_LOOPBACK));
}

}  // namespace
}  // namespace qz

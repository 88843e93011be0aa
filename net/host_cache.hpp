// Host-name cache of the TCP layer: a name is looked up at most once a minute. Dotted IPv4
// addresses are taken as they are and cached like names.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace qz {

class HostCache {
public:
    // Looks a host name up; gives the first IPv4 address in network byte order.
    using Resolver = std::function<std::optional<std::uint32_t>(const std::string& host)>;
    // Seconds on a monotonic clock.
    using Clock = std::function<double()>;

    static constexpr double kLifetime = 60.0;

    HostCache();  // the system's resolver and the steady clock
    HostCache(Resolver resolver, Clock clock);

    // The IPv4 address (network byte order) of host, or nothing when it cannot be resolved.
    std::optional<std::uint32_t> resolve(const std::string& host);

    void setResolver(Resolver resolver);
    void clear();

private:
    struct Entry {
        std::string host;
        std::uint32_t address;
        double expiry;
    };

    std::mutex mutex_;
    Resolver resolver_;
    Clock clock_;
    std::vector<Entry> entries_;
};

// The system's name lookup (IPv4 only).
std::optional<std::uint32_t> systemResolve(const std::string& host);

}  // namespace qz

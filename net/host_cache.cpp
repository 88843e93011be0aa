#include "net/host_cache.hpp"

#include "net/tsne_socket.hpp"

#ifndef _WIN32
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#endif

#include <algorithm>
#include <chrono>

namespace qz {

std::optional<std::uint32_t> systemResolve(const std::string& host)
{
    startSockets();
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &list) != 0 || list == nullptr) return std::nullopt;
    const std::uint32_t address = reinterpret_cast<const sockaddr_in*>(list->ai_addr)->sin_addr.s_addr;
    freeaddrinfo(list);
    return address;
}

HostCache::HostCache()
    : HostCache(systemResolve, [] {
          return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
      })
{
}

HostCache::HostCache(Resolver resolver, Clock clock) : resolver_(std::move(resolver)), clock_(std::move(clock)) {}

void HostCache::setResolver(Resolver resolver)
{
    std::lock_guard lock(mutex_);
    resolver_ = std::move(resolver);
    entries_.clear();
}

void HostCache::clear()
{
    std::lock_guard lock(mutex_);
    entries_.clear();
}

std::optional<std::uint32_t> HostCache::resolve(const std::string& host)
{
    // The lock is held across the lookup so that two threads asking for the same new name
    // resolve it once; the layer never holds another lock while it resolves.
    std::lock_guard lock(mutex_);
    const double now = clock_();
    std::erase_if(entries_, [now](const Entry& e) { return e.expiry <= now; });
    auto hit = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.host == host; });
    if (hit != entries_.end()) return hit->address;

    std::optional<std::uint32_t> address;
    in_addr dotted{};
    if (inet_pton(AF_INET, host.c_str(), &dotted) == 1)
        address = dotted.s_addr;
    else if (resolver_)
        address = resolver_(host);
    if (!address) return std::nullopt;
    entries_.push_back({host, *address, now + kLifetime});
    return address;
}

}  // namespace qz

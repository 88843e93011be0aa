#include "net/server_address.hpp"

#ifdef _WIN32
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#endif

#include <algorithm>

namespace qz {

namespace {

bool isIpv6(const std::string& text)
{
    in6_addr address{};
    return inet_pton(AF_INET6, text.c_str(), &address) == 1;
}

// Letters, digits, hyphens and dots, as host names and dotted addresses have them.
bool isHostName(std::string_view text)
{
    if (text.empty() || text.size() > 253 || text.front() == '-' || text.front() == '.') return false;
    return std::all_of(text.begin(), text.end(), [](unsigned char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
    });
}

std::optional<std::uint16_t> port(std::string_view digits)
{
    if (digits.empty() || digits.size() > 5) return std::nullopt;
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

}  // namespace

std::optional<ServerAddress> parseServerAddress(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);

    ServerAddress address;
    std::string_view rest;
    if (!text.empty() && text.front() == '[') {
        const std::size_t end = text.find(']');
        if (end == std::string_view::npos || !isIpv6(std::string(text.substr(1, end - 1)))) return std::nullopt;
        address.host = std::string(text.substr(0, end + 1));
        rest = text.substr(end + 1);
    } else if (std::count(text.begin(), text.end(), ':') > 1) {
        if (!isIpv6(std::string(text))) return std::nullopt;
        address.host = "[" + std::string(text) + "]";
    } else {
        const std::size_t colon = text.find(':');
        if (!isHostName(text.substr(0, colon))) return std::nullopt;
        address.host = std::string(text.substr(0, colon));
        if (colon != std::string_view::npos) rest = text.substr(colon);
    }
    if (!rest.empty()) {
        if (rest.front() != ':') return std::nullopt;
        const std::optional<std::uint16_t> p = port(rest.substr(1));
        if (!p) return std::nullopt;
        address.port = *p;
    }
    return address;
}

std::string serverAddressText(const ServerAddress& address)
{
    return address.port == 80 ? address.host : address.host + ":" + std::to_string(address.port);
}

}  // namespace qz

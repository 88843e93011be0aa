#include "http/client_address.hpp"

#ifdef _WIN32
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#endif

#include <algorithm>
#include <array>
#include <cstring>

namespace qz::server {

namespace {

void keepPrefix(unsigned char* bytes, std::size_t size, int prefixBits) {
    const auto bits = static_cast<std::size_t>(std::clamp(prefixBits, 0, static_cast<int>(size * 8)));
    for (std::size_t i = 0; i < size; ++i) {
        const std::size_t kept = bits > i * 8 ? std::min<std::size_t>(bits - i * 8, 8) : 0;
        bytes[i] &= static_cast<unsigned char>(0xFF00u >> kept);
    }
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<std::string> addressPrefix(std::string_view address, AddressPrefix prefix) {
    if (address.size() >= INET6_ADDRSTRLEN) return std::nullopt;
    char text[INET6_ADDRSTRLEN] = {};
    std::memcpy(text, address.data(), address.size());
    std::array<unsigned char, 16> bytes{};
    char out[INET6_ADDRSTRLEN] = {};
    if (inet_pton(AF_INET, text, bytes.data()) == 1) {
        keepPrefix(bytes.data(), 4, prefix.v4);
        return inet_ntop(AF_INET, bytes.data(), out, sizeof out) ? std::optional<std::string>(out) : std::nullopt;
    }
    if (inet_pton(AF_INET6, text, bytes.data()) != 1) return std::nullopt;
    static constexpr unsigned char kMapped[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF};
    if (std::memcmp(bytes.data(), kMapped, sizeof kMapped) == 0) {
        keepPrefix(bytes.data() + 12, 4, prefix.v4);
        return inet_ntop(AF_INET, bytes.data() + 12, out, sizeof out) ? std::optional<std::string>(out) : std::nullopt;
    }
    keepPrefix(bytes.data(), 16, prefix.v6);
    return inet_ntop(AF_INET6, bytes.data(), out, sizeof out) ? std::optional<std::string>(out) : std::nullopt;
}

std::string_view lastForwardedAddress(const std::vector<std::string_view>& lines) {
    if (lines.empty()) return {};
    const std::string_view header = lines.back();
    const std::size_t comma = header.rfind(',');
    return trimmed(comma == std::string_view::npos ? header : header.substr(comma + 1));
}

}  // namespace qz::server

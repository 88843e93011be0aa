#include "net/base64.hpp"

#include <array>
#include <cstdint>

namespace qz {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<std::int8_t, 256> kWerte = [] {
    std::array<std::int8_t, 256> werte{};
    werte.fill(-1);
    for (int i = 0; i < 64; ++i) werte[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
    return werte;
}();

}  // namespace

std::string base64Kodieren(std::string_view bytes)
{
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const std::uint32_t n = static_cast<unsigned char>(bytes[i]) << 16 |
                                static_cast<unsigned char>(bytes[i + 1]) << 8 | static_cast<unsigned char>(bytes[i + 2]);
        for (int s = 18; s >= 0; s -= 6) text.push_back(kAlphabet[(n >> s) & 63]);
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        std::uint32_t n = static_cast<unsigned char>(bytes[i]) << 16;
        if (rest == 2) n |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        text.push_back(kAlphabet[(n >> 18) & 63]);
        text.push_back(kAlphabet[(n >> 12) & 63]);
        text.push_back(rest == 2 ? kAlphabet[(n >> 6) & 63] : '=');
        text.push_back('=');
    }
    return text;
}

std::optional<std::string> base64Dekodieren(std::string_view text)
{
    if (text.size() % 4 != 0) return std::nullopt;
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        const bool letztes = i + 4 == text.size();
        const int fuell = letztes ? (text[i + 3] == '=') + (text[i + 2] == '=' && text[i + 3] == '=') : 0;
        std::uint32_t n = 0;
        for (int k = 0; k < 4 - fuell; ++k) {
            const int wert = kWerte[static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)])];
            if (wert < 0) return std::nullopt;
            n = n << 6 | static_cast<std::uint32_t>(wert);
        }
        n <<= 6 * fuell;
        // Bits below the last byte must be zero, or two texts would stand for the same bytes.
        if ((fuell == 1 && (n & 0xFF)) || (fuell == 2 && (n & 0xFFFF))) return std::nullopt;
        bytes.push_back(static_cast<char>(n >> 16));
        if (fuell < 2) bytes.push_back(static_cast<char>(n >> 8));
        if (fuell < 1) bytes.push_back(static_cast<char>(n));
    }
    return bytes;
}

}  // namespace qz

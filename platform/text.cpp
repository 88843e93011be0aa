#include "platform/text.hpp"

#include "platform/cp437_zeichen.hpp"

#include <algorithm>
#include <array>
#include <utility>

namespace qz {

namespace {

// The bytes 0x7F..0xFF and the control glyphs 0x01..0x1F by code point, for the way back.
struct Rueckweg {
    std::array<std::pair<char32_t, unsigned char>, 160> eintraege{};
    constexpr Rueckweg()
    {
        std::size_t n = 0;
        for (int b = 1; b < 256; ++b)
            if (b < 0x20 || b >= 0x7F) eintraege[n++] = {kCp437[b], static_cast<unsigned char>(b)};
        std::sort(eintraege.begin(), eintraege.end());
    }
};
constexpr Rueckweg kRueckweg;

void anhaengen(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

char32_t cp437Zeichen(unsigned char byte) { return kCp437[byte]; }

int cp437Byte(char32_t zeichen)
{
    if (zeichen >= 0x20 && zeichen < 0x7F) return static_cast<int>(zeichen);
    const auto& e = kRueckweg.eintraege;
    auto it = std::lower_bound(e.begin(), e.end(), std::pair<char32_t, unsigned char>{zeichen, 0});
    return it != e.end() && it->first == zeichen ? it->second : -1;
}

std::string cp437ZuUtf8(std::string_view cp437)
{
    std::string out;
    out.reserve(cp437.size() + 8);
    for (unsigned char b : cp437) anhaengen(out, kCp437[b]);
    return out;
}

char32_t naechstesZeichen(std::string_view s, std::size_t& pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned c = byte(pos);
    const int folge = c < 0x80 ? 0 : c < 0xC2 ? -1 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : c < 0xF5 ? 3 : -1;
    if (folge < 0 || pos + folge >= s.size()) {
        ++pos;
        return 0xFFFD;
    }
    char32_t z = folge == 0 ? c : c & (0x3F >> folge);
    for (int i = 1; i <= folge; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        z = z << 6 | (byte(pos + i) & 0x3F);
    }
    const char32_t kleinste[] = {0, 0x80, 0x800, 0x10000};
    if (z < kleinste[folge] || z > 0x10FFFF || (z >= 0xD800 && z <= 0xDFFF)) {
        ++pos;
        return 0xFFFD;
    }
    pos += folge + 1;
    return z;
}

std::size_t zeichenzahl(const Text& text)
{
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < text.utf8.size(); ++n) naechstesZeichen(text.utf8, pos);
    return n;
}

}  // namespace qz

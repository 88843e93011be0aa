#include "base/code_page_437.hpp"

#include <algorithm>
#include <array>
#include <cstdint>

namespace qz::server {

namespace {

// The Unicode character of every byte 0x80..0xFF.
constexpr std::array<std::uint16_t, 128> kHighCharacters = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC,
    0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6, 0x00DC, 0x00A2,
    0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310,
    0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C,
    0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF,
    0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2,
    0x25A0, 0x00A0};

struct Utf8Form {
    std::array<char, 3> bytes{};
    std::uint8_t length = 0;
};

// Byte -> its UTF-8 form.
constexpr std::array<Utf8Form, 256> kToUtf8 = [] {
    std::array<Utf8Form, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        const unsigned c = byte < 0x80 ? byte : kHighCharacters[byte - 0x80];
        Utf8Form& form = table[byte];
        if (c < 0x80) {
            form.bytes = {static_cast<char>(c), 0, 0};
            form.length = 1;
        } else if (c < 0x800) {
            form.bytes = {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F)), 0};
            form.length = 2;
        } else {
            form.bytes = {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                          static_cast<char>(0x80 | (c & 0x3F))};
            form.length = 3;
        }
    }
    return table;
}();

struct Back {
    std::uint16_t character;
    std::uint8_t byte;
};

// Character -> byte, sorted by character for a binary search.
constexpr std::array<Back, 256> kFromUnicode = [] {
    std::array<Back, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        table[byte] = {static_cast<std::uint16_t>(byte < 0x80 ? byte : kHighCharacters[byte - 0x80]),
                       static_cast<std::uint8_t>(byte)};
    }
    std::sort(table.begin(), table.end(), [](const Back& a, const Back& b) { return a.character < b.character; });
    return table;
}();

char byteOf(std::uint32_t character) {
    const auto found = std::lower_bound(kFromUnicode.begin(), kFromUnicode.end(), character,
                                        [](const Back& entry, std::uint32_t c) { return entry.character < c; });
    return found != kFromUnicode.end() && found->character == character ? static_cast<char>(found->byte) : '?';
}

}  // namespace

bool isAscii(std::string_view text) {
    unsigned high = 0;
    for (char c : text) high |= static_cast<unsigned char>(c);
    return high < 0x80;
}

std::string cp437ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const Utf8Form& form = kToUtf8[static_cast<unsigned char>(c)];
        out.append(form.bytes.data(), form.length);
    }
    return out;
}

std::string utf8ToCp437(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                                                   : (lead & 0xF8) == 0xF0 ? 4 : 0;
        bool whole = length > 0 && i + length <= utf8.size();
        std::uint32_t character = length == 1 ? lead : lead & (0x7Fu >> length);
        for (std::size_t k = 1; whole && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            whole = (next & 0xC0) == 0x80;
            character = character << 6 | (next & 0x3Fu);
        }
        if (!whole) {
            out += '?';
            ++i;
            continue;
        }
        out += byteOf(character);
        i += length;
    }
    return out;
}

}  // namespace qz::server

// Huffman tables of the JPEG decoder: canonical codes built from the 16 length counts, read
// through a 9-bit lookahead. Equivalent to walking the decoding tree bit by bit, only faster.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace qz::jpeg {

constexpr int kLookaheadBits = 9;
constexpr int kLookaheadSize = 1 << kLookaheadBits;

struct HuffmanTable {
    bool defined = false;
    // Indexed by the next 9 bits: code length << 8 | symbol; 0 when the code is longer.
    std::array<std::uint16_t, kLookaheadSize> fast{};
    // For AC tables: when a code and its extra bits fit into the 9 bits, the coefficient value
    // << 16 | zero run << 8 | bits used; 0 otherwise.
    std::array<std::int32_t, kLookaheadSize> fastAc{};
    std::array<std::int32_t, 17> maxCode{};  // largest code of each length, -1 if none
    std::array<std::int32_t, 17> valueOffset{};
    std::array<std::uint8_t, 256> symbols{};
};

// Builds the table from the 16 counts and their symbols (as many as the counts add up to).
// False when the counts ask for more codes of a length than the shorter codes leave room for:
// a decoding tree would need one of its nodes twice.
bool buildHuffmanTable(std::span<const std::uint8_t, 16> counts, std::span<const std::uint8_t> symbols,
                       HuffmanTable& table);

// A value of `size` extra bits extended to its signed coefficient: values below 2^(size-1)
// are negative.
constexpr int extendValue(int value, int size)
{
    return value < (1 << (size - 1)) ? value - (1 << size) + 1 : value;
}

}  // namespace qz::jpeg

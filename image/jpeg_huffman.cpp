// Canonical code assignment: codes of one length are consecutive, and the first code of the
// next length is the following value shifted left by one.
#include "image/jpeg_huffman.hpp"

namespace qz::jpeg {

namespace {

void fillLookahead(HuffmanTable& table, int code, int length, std::uint8_t symbol)
{
    const int shift = kLookaheadBits - length;
    const int first = code << shift;
    for (int i = 0; i < (1 << shift); ++i) {
        const int index = first + i;
        table.fast[index] = static_cast<std::uint16_t>(length << 8 | symbol);
        const int run = symbol >> 4;
        const int size = symbol & 15;
        if (size == 0 || length + size > kLookaheadBits) continue;
        const int extra = (index >> (kLookaheadBits - length - size)) & ((1 << size) - 1);
        table.fastAc[index] = extendValue(extra, size) * 65536 + (run << 8) + length + size;
    }
}

}  // namespace

bool buildHuffmanTable(std::span<const std::uint8_t, 16> counts, std::span<const std::uint8_t> symbols,
                       HuffmanTable& table)
{
    table = HuffmanTable{};
    int code = 0;
    int k = 0;
    for (int length = 1; length <= 16; ++length) {
        const int count = counts[length - 1];
        table.valueOffset[length] = k - code;
        table.maxCode[length] = -1;
        if (count > 0) {
            if (code + count > (1 << length) || k + count > static_cast<int>(symbols.size())) return false;
            for (int i = 0; i < count; ++i) {
                table.symbols[k + i] = symbols[k + i];
                if (length <= kLookaheadBits) fillLookahead(table, code + i, length, symbols[k + i]);
            }
            code += count;
            k += count;
            table.maxCode[length] = code - 1;
        }
        code <<= 1;
    }
    table.defined = true;
    return true;
}

}  // namespace qz::jpeg

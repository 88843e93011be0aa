// Bit reader over the entropy-coded data of a scan held in memory. Every FF 00 pair yields FF;
// an FF followed by anything else is a marker, where the real data ends: from there on zero
// bits are supplied and counted, so that a scan that reads into them is known to be cut off.
#pragma once

#include <cstdint>
#include <cstring>

namespace qz::jpeg {

class BitReader {
public:
    BitReader(const std::uint8_t* begin, const std::uint8_t* end) : next_(begin), end_(end) {}

    // At least 32 bits (real or padding) are available after this.
    void ensure()
    {
        if (count_ < 32) refill();
    }
    // The next n bits (1..32) as an unsigned value, most significant bit first.
    std::uint32_t peek(int n) const { return static_cast<std::uint32_t>(bits_ >> (64 - n)); }
    void skip(int n)
    {
        bits_ <<= n;
        count_ -= n;
    }
    int take(int n)
    {
        const int value = static_cast<int>(peek(n));
        skip(n);
        return value;
    }
    // True once bits past the end of the real data have been consumed.
    bool overrun() const { return count_ < padding_; }

    // Restart interval boundary: drop the rest of the current byte and move past the next
    // restart marker (stray bytes before it are skipped, as a damaged interval may leave some).
    void restart()
    {
        bits_ = 0;
        count_ = 0;
        padding_ = 0;
        while (next_ + 1 < end_) {
            if (next_[0] == 0xFF && next_[1] >= 0xD0 && next_[1] <= 0xD7) {
                next_ += 2;
                return;
            }
            ++next_;
        }
        next_ = end_;
    }

private:
    static bool hasFF(std::uint64_t word)
    {
        const std::uint64_t inverted = ~word;
        return ((inverted - 0x0101010101010101ull) & ~inverted & 0x8080808080808080ull) != 0;
    }

    void refill()
    {
        while (count_ <= 56) {
            if (end_ - next_ >= 8) {
                std::uint64_t word;
                std::memcpy(&word, next_, 8);
                word = __builtin_bswap64(word);
                if (!hasFF(word)) {
                    const int bytes = (64 - count_) >> 3;
                    bits_ |= (word >> (64 - 8 * bytes)) << (64 - count_ - 8 * bytes);
                    next_ += bytes;
                    count_ += 8 * bytes;
                    continue;
                }
            }
            std::uint64_t byte = 0;
            if (next_ < end_ && next_[0] != 0xFF) {
                byte = *next_++;
            } else if (next_ + 1 < end_ && next_[1] == 0x00) {
                byte = 0xFF;
                next_ += 2;
            } else {
                padding_ += 8;
            }
            bits_ |= byte << (56 - count_);
            count_ += 8;
        }
    }

    std::uint64_t bits_ = 0;
    int count_ = 0;    // bits in bits_, counted from the top
    int padding_ = 0;  // how many of them (from the bottom) lie past the real data
    const std::uint8_t* next_;
    const std::uint8_t* end_;
};

}  // namespace qz::jpeg

// Variable-length integers and strings in a byte string, read back with every length and
// count checked against what is left, so a damaged input ends in an error and never in a
// read beyond its end or an allocation beyond its size.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qz::replay {

// Input that does not decode; the reader turns it into "damaged".
class DecodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Signed numbers as unsigned ones that stay short for small magnitudes either way.
inline std::uint64_t zigzag(std::int64_t value) {
    return (static_cast<std::uint64_t>(value) << 1) ^ (value < 0 ? ~std::uint64_t{0} : 0);
}
inline std::int64_t unzigzag(std::uint64_t bits) { return static_cast<std::int64_t>((bits >> 1) ^ (~(bits & 1) + 1)); }

class ByteWriter {
public:
    // Seven bits a byte, low first; inline, since list changes write one or two per value.
    void unsignedNumber(std::uint64_t value) {
        if (value < 0x80) {
            out_ += static_cast<char>(value);
            return;
        }
        char bytes[10];
        std::size_t n = 0;
        while (value >= 0x80) {
            bytes[n++] = static_cast<char>((value & 0x7f) | 0x80);
            value >>= 7;
        }
        bytes[n++] = static_cast<char>(value);
        out_.append(bytes, n);
    }
    void signedNumber(std::int64_t value) { unsignedNumber(zigzag(value)); }
    void byte(std::uint8_t value) { out_ += static_cast<char>(value); }
    void text(std::string_view value);
    void raw(std::string_view value) { out_ += value; }

    const std::string& bytes() const { return out_; }
    std::string take() { return std::move(out_); }
    bool empty() const { return out_.empty(); }
    void clear() { out_.clear(); }

private:
    std::string out_;
};

class ByteReader {
public:
    explicit ByteReader(std::string_view in) : in_(in) {}

    std::uint64_t unsignedNumber();
    std::int64_t signedNumber();
    // A number that must fit an int.
    int integer();
    // A count or index below `limit`.
    std::size_t count(std::size_t limit);
    std::uint8_t byte();
    std::string_view text();
    std::string_view raw(std::size_t length);

    bool atEnd() const { return at_ == in_.size(); }
    std::size_t left() const { return in_.size() - at_; }

private:
    std::string_view in_;
    std::size_t at_ = 0;
};

}  // namespace qz::replay

#include "replay/byte_codec.hpp"

#include <limits>

namespace qz::replay {

void ByteWriter::text(std::string_view value) {
    unsignedNumber(value.size());
    out_ += value;
}

std::uint64_t ByteReader::unsignedNumber() {
    std::uint64_t value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        const std::uint8_t b = byte();
        value |= static_cast<std::uint64_t>(b & 0x7f) << shift;
        if ((b & 0x80) == 0) return value;
    }
    throw DecodeError("number too long");
}

std::int64_t ByteReader::signedNumber() { return unzigzag(unsignedNumber()); }

int ByteReader::integer() {
    const std::int64_t value = signedNumber();
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        throw DecodeError("number out of range");
    }
    return static_cast<int>(value);
}

std::size_t ByteReader::count(std::size_t limit) {
    const std::uint64_t value = unsignedNumber();
    if (value >= limit) throw DecodeError("count out of range");
    return static_cast<std::size_t>(value);
}

std::uint8_t ByteReader::byte() {
    if (at_ >= in_.size()) throw DecodeError("unexpected end");
    return static_cast<std::uint8_t>(in_[at_++]);
}

std::string_view ByteReader::text() { return raw(count(left() + 1)); }

std::string_view ByteReader::raw(std::size_t length) {
    if (length > left()) throw DecodeError("unexpected end");
    const std::string_view part = in_.substr(at_, length);
    at_ += length;
    return part;
}

}  // namespace qz::replay

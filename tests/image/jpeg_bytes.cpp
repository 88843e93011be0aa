#include "jpeg_bytes.hpp"

#include <algorithm>
#include <stdexcept>

namespace qz::test {

std::size_t findSegment(const Bytes& jpeg, std::uint8_t marker)
{
    std::size_t pos = 2;
    while (pos + 4 <= jpeg.size() && jpeg[pos] == 0xFF) {
        if (jpeg[pos + 1] == marker) return pos;
        if (jpeg[pos + 1] == 0xDA) break;
        pos += 2 + (static_cast<std::size_t>(jpeg[pos + 2]) << 8 | jpeg[pos + 3]);
    }
    return jpeg.size();
}

Bytes segmentAt(const Bytes& jpeg, std::size_t offset)
{
    if (offset + 4 > jpeg.size()) throw std::out_of_range("no segment there");
    const std::size_t length = static_cast<std::size_t>(jpeg[offset + 2]) << 8 | jpeg[offset + 3];
    return Bytes(jpeg.begin() + static_cast<std::ptrdiff_t>(offset),
                 jpeg.begin() + static_cast<std::ptrdiff_t>(offset + 2 + length));
}

Bytes insertAt(const Bytes& jpeg, std::size_t offset, const Bytes& insertion)
{
    Bytes out(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(offset));
    out.insert(out.end(), insertion.begin(), insertion.end());
    out.insert(out.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(offset), jpeg.end());
    return out;
}

Bytes makeSegment(std::uint8_t marker, const Bytes& payload)
{
    const std::size_t length = payload.size() + 2;
    Bytes out(length + 2);
    out[0] = 0xFF;
    out[1] = marker;
    out[2] = static_cast<std::uint8_t>(length >> 8);
    out[3] = static_cast<std::uint8_t>(length & 0xFF);
    std::copy(payload.begin(), payload.end(), out.begin() + 4);
    return out;
}

Bytes makeSegment(std::uint8_t marker, std::initializer_list<std::uint8_t> payload)
{
    return makeSegment(marker, Bytes(payload));
}

}  // namespace qz::test

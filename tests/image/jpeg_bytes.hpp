// Editing the marker segments of a JPEG file, to make files for the decoder's refusals.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace qz::test {

using Bytes = std::vector<std::uint8_t>;

// Offset of the FF byte of the first segment with this marker before the entropy data, or
// the file size when there is none. Walks the segments by their lengths.
std::size_t findSegment(const Bytes& jpeg, std::uint8_t marker);

// The whole segment (marker and length included) that starts at offset.
Bytes segmentAt(const Bytes& jpeg, std::size_t offset);

Bytes insertAt(const Bytes& jpeg, std::size_t offset, const Bytes& insertion);

// A segment with this marker and payload, its length filled in.
Bytes makeSegment(std::uint8_t marker, std::initializer_list<std::uint8_t> payload);
Bytes makeSegment(std::uint8_t marker, const Bytes& payload);

}  // namespace qz::test

// The save file both save fuzzers read from one input: with the first byte odd the rest is the
// whole file; with it even the rest is wrapped into a valid envelope (magic, version, length,
// CRC-32), of the current version or, with the byte's second bit set, of version 1, so that the
// contents behind the checksum are fuzzed too for both readers.
#pragma once

#include "state/spielstand_datei.hpp"

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace qz::fuzz {

inline void anhaengen(std::string& out, std::uint64_t wert, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(wert >> (8 * i)));
}

// Needs at least one byte.
inline std::string dateiAusEingabe(const std::uint8_t* data, std::size_t size)
{
    std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] & 1) return rest;
    std::string datei("QZSPIEL\x1A");
    anhaengen(datei, data[0] & 2 ? 1 : qz::kSpielstandVersion, 4);
    anhaengen(datei, rest.size(), 8);
    anhaengen(datei, crc32_z(0, reinterpret_cast<const Bytef*>(rest.data()), rest.size()), 4);
    return datei + rest;
}

}  // namespace qz::fuzz

// Feeds arbitrary bytes to the save file reader. With the first byte odd the rest is read as the
// whole file; with it even the rest is wrapped into a valid envelope of version 1 (magic,
// version, length, CRC-32), so the contents behind the checksum are fuzzed too. A hostile file
// must end in "damaged", never in a crash, a runtime error or an allocation beyond its size.
#include "state/spielstand_datei.hpp"

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void anhaengen(std::string& out, std::uint64_t wert, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(wert >> (8 * i)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string datei;
    if (data[0] & 1) {
        datei = rest;
    } else {
        datei = std::string("QZSPIEL\x1A");
        anhaengen(datei, 1, 4);
        anhaengen(datei, rest.size(), 8);
        anhaengen(datei, crc32_z(0, reinterpret_cast<const Bytef*>(rest.data()), rest.size()), 4);
        datei += rest;
    }
    qz::Spielstand spiel;
    qz::spielstandLesen(datei, 100.0, spiel);
    qz::Spielstandkopf kopf;
    qz::spielstandKopfLesen(datei, kopf);
    return 0;
}

// Feeds arbitrary bytes to the .qzr reader. With the first byte odd the rest is read as the
// whole file; with it even the rest becomes the body of a valid envelope (magic, version,
// length, checksum), so the entries behind the checksum are fuzzed too. A hostile file must
// end in QzrError, never in a crash, a hang or an allocation beyond its size; a file that is
// accepted must give a state on every day it covers.
#include "replay/qzr_file.hpp"

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string file = rest;
    if (data[0] % 2 == 0) {
        file = std::string("\x89QZR\r\n\x1a\n", 8);
        const auto put = [&file](std::uint32_t value, int bytes) {
            for (int i = 0; i < bytes; ++i) file += static_cast<char>((value >> (8 * i)) & 0xff);
        };
        put(qz::replay::kQzrVersion, 2);
        put(static_cast<std::uint32_t>(rest.size()), 4);
        put(static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(rest.data()), static_cast<uInt>(rest.size()))), 4);
        file += rest;
    }
    try {
        const qz::replay::Recording recording = qz::replay::readQzr(file);
        recording.stateOnDay(static_cast<long long>(recording.lengthSeconds() / qz::replay::kDaySeconds));
    } catch (const qz::replay::QzrError&) {
    }
    return 0;
}

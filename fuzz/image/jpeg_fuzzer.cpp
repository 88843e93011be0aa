// Any bytes into the JPEG decoder: the whole picture, then a rectangle picked from the input,
// under a small pixel limit so that every run stays quick.
#include "image/jpeg_decoder.hpp"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t kMaxPixels = std::size_t{1} << 20;
    const std::span<const std::uint8_t> bytes(data, size);
    const qz::JpegPicture whole = qz::jpegDecodeMemory(bytes, {}, kMaxPixels);
    if (whole.status == 0 && size > 4) {
        const int x1 = data[size - 1] % (whole.width + 2) - 1;
        const int y1 = data[size - 2] % (whole.height + 2) - 1;
        qz::jpegDecodeMemory(bytes, {x1, y1, x1 + data[size - 3], y1 + data[size - 4]}, kMaxPixels);
    }
    return 0;
}

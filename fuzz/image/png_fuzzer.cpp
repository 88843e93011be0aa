// Any bytes into the PNG loader's memory path, under a small pixel limit.
#include "image/png_decoder.hpp"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qz::pngDecodeMemory({data, size}, std::size_t{1} << 20);
    return 0;
}

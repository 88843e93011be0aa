#include "map/bildquellen.hpp"

#include "image/jpeg_get.hpp"
#include "image/png_loader.hpp"

namespace qz {

const Bildquellen& dateiBildquellen()
{
    static const Bildquellen quellen{
        [](const std::string& datei) { return JPEGGET(datei, -1, -1, 0x10000000, 0x10000000); },
        [](const std::string& datei) { return PngLoad(datei); },
    };
    return quellen;
}

}  // namespace qz

// Where a starting game takes its background (JPEG) and ship pictures (PNG) from. The game
// uses the picture files beside the executable; tests hand in pictures made in memory.
#pragma once

#include "platform/image.hpp"

#include <functional>
#include <string>

namespace qz {

struct Bildquellen {
    std::function<ImagePtr(const std::string& datei)> jpeg;
    std::function<ImagePtr(const std::string& datei)> png;
};

// JPEGGET and PngLoad on the files.
const Bildquellen& dateiBildquellen();

}  // namespace qz

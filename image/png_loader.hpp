// PngLoad: the ship pictures are PNG files (see png_decoder.hpp for the pixels they give).
#pragma once

#include "platform/image.hpp"

#include <string>

namespace qz {

// Loads a PNG file into a new image; null when it is missing or cannot be decoded.
ImagePtr PngLoad(const std::string& file);

}  // namespace qz

// JPEGGET: loads a JPEG file (the game's pictures under their own file extension) into a new
// image. The game only tests the result for null; the status of the last call says why.
#pragma once

#include "platform/image.hpp"

#include <string>

namespace qz {

// Decodes the rectangle [x1, x2) x [y1, y2) of the picture in `file` (see JpegRect for the
// rules; the game passes -1, -1, 0x10000000, 0x10000000 for the whole picture). Returns null
// with a status (jpeg_status.hpp) on any failure; the file is never changed.
ImagePtr JPEGGET(const std::string& file, int x1 = -1, int y1 = -1, int x2 = 0x10000000, int y2 = 0x10000000);

// Status of the last JPEGGET call: 0 or one of jpeg_status.hpp.
int jpegLastStatus();

// The screen preconditions: 101 without an open screen, 102 below 15 bits per pixel, else 0.
int jpegScreenStatus(bool screenOpen, int depth);

}  // namespace qz

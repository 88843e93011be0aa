// Every generated file as bytes, and the whole set written to disk on all cores.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qz::assets {

using Bytes = std::vector<std::uint8_t>;

Bytes interfacePictureFile(int number);      // JPEG, 1..23
Bytes backgroundFile(int number);            // JPEG 2560 x 1711, 1..13
Bytes planetFile(int number);                // JPEG, 1..18
Bytes shipFile(int colour, int type);        // PNG 32 x 32, colour 1..8, type 1..8
Bytes iconFile(int size);                    // RGBA PNG size x size
Bytes clickFile();                           // MP3
Bytes musicFile(int track);                  // MP3, track 1..5

// Writes all files below outputDir (creating the folders) and returns how many were written.
int generateAll(const std::string& outputDir);

}  // namespace qz::assets

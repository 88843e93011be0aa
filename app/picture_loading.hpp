// Loading the pictures of the interface and planets at start-up, and releasing every picture at
// the end. A picture that cannot be loaded keeps handle 0 and is reported when first drawn.
#pragma once

#include "frame/rahmen.hpp"

#include <functional>
#include <string>

namespace qz {

using BildLader = std::function<ImagePtr(const std::string& file)>;

// "./material/1/1.orn-games" .. 23 into Oberflaechenbild, "./material/3/" 1 .. 18 into Planetenbild.
void loadStartPictures(Rahmen& rahmen, const BildLader& laden);
void releasePictures(Rahmen& rahmen);

std::string materialFile(int set, int number);

}  // namespace qz

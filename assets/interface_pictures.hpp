// The 23 interface pictures ("./material/1/<k>.orn-games"): their sizes, which follow from
// where the screens draw them and test their hit boxes, and their painting.
#pragma once

#include "assets/canvas.hpp"

#include <array>

namespace qz::assets {

struct InterfacePicture {
    int number;
    int width;
    int height;
    const char* use;
};

constexpr int kInterfacePictureCount = 23;
const std::array<InterfacePicture, kInterfacePictureCount>& interfacePictures();

// Paints interface picture number (1..23) at its size.
Canvas paintInterfacePicture(int number);

}  // namespace qz::assets

// The 13 star-map backgrounds ("./material/2/<k>.orn-games", 2560 x 1600): deep space with
// stars of several sizes and colours and a nebula of its own colours in each.
#pragma once

#include "assets/canvas.hpp"

namespace qz::assets {

constexpr int kBackgroundWidth = 2560;
constexpr int kBackgroundHeight = 1600;

Canvas paintBackground(int number);

}  // namespace qz::assets

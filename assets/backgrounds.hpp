// The 13 star-map backgrounds ("./material/2/<k>.orn-games", 2560 x 1711): deep space with
// stars of several sizes and colours and a nebula of its own colours in each.
#pragma once

#include "assets/canvas.hpp"

namespace qz::assets {

constexpr int kBackgroundWidth = 2560;
// The systems lie on 2560 x 1600 (scroll range 1536 x 832 plus the 1024 x 768 screen), but the
// view scrolls 111 rows further down, the height of the status bar, so that the lowest systems
// can be seen above it: at the bottom edge the screen shows rows 943 to 1710.
constexpr int kBackgroundHeight = 1600 + 111;

Canvas paintBackground(int number);

}  // namespace qz::assets

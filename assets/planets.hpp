// The 18 planet pictures ("./material/3/<k>.orn-games"): picture k shows planet type k
// (1..17), picture 18 the home planet. Each is a lit sphere on a black background, drawn at
// (335, 54) into the black window of the star-system panel.
#pragma once

#include "assets/canvas.hpp"

namespace qz::assets {

constexpr int kPlanetWidth = 100;
constexpr int kPlanetHeight = 80;

// Short name of the kind of world picture k shows.
const char* planetKind(int number);
Canvas paintPlanet(int number);

}  // namespace qz::assets

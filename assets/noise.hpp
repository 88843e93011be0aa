// Smooth gradient noise in two and three dimensions and its fractal sums, the raw material of
// nebulae, planet surfaces and brushed metal. Pure functions of position and seed.
#pragma once

#include <cstdint>

namespace qz::assets {

// Gradient noise in about [-1, 1].
double noise2(double x, double y, std::uint32_t seed);
double noise3(double x, double y, double z, std::uint32_t seed);

// Fractal sums: octaves of noise, each at twice the frequency and gain times the amplitude,
// normalised back to about [-1, 1].
double fbm2(double x, double y, int octaves, std::uint32_t seed, double gain = 0.5);
double fbm3(double x, double y, double z, int octaves, std::uint32_t seed, double gain = 0.5);

// Ridged variant (sharp crests), in [0, 1].
double ridged3(double x, double y, double z, int octaves, std::uint32_t seed);

}  // namespace qz::assets

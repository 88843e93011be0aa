// The house look of the interface: brushed dark metal lit from the top left, recessed dark
// glass fields for text, and thin glowing edges. Every interface picture is composed of these.
#pragma once

#include "assets/canvas.hpp"
#include "assets/shapes.hpp"

#include <cstdint>
#include <functional>

namespace qz::assets {

constexpr Rgb kGlowCyan = rgb255(70, 200, 255);
constexpr Rgb kGlowRed = rgb255(255, 72, 56);
constexpr Rgb kGlowGreen = rgb255(90, 255, 120);
constexpr Rgb kGlowAmber = rgb255(255, 168, 56);
constexpr Rgb kGlassDeep = rgb255(10, 15, 24);
// What the glass of a large panel looks like halfway down: the ground of the smaller pictures
// (buttons, fields, arrows), so their cut-off corners blend into the panel they sit on.
constexpr Rgb kPanelGround = rgb255(11, 16, 25);

// Metal body filling a chamfered box.
void paintMetal(Canvas& canvas, const Box& box, double chamfer, std::uint32_t seed);
// A glowing line inset pixels inside the edge of a chamfered box, with a soft halo.
void paintGlowEdge(Canvas& canvas, const Box& box, double chamfer, const Rgb& glow, double inset, double strength);
// A recessed dark field: the deep colour with a faint vertical gradient, an inner shadow on
// the lit edges and a fine bright rim on the far edges. Its middle stays calm for white text.
void paintInset(Canvas& canvas, const Box& box, double chamfer, const Rgb& deep);
// A filled shape in a glowing colour with a halo around it; distance is the shape's signed
// distance and bounds its extent.
void paintGlowShape(Canvas& canvas, const Box& bounds, const std::function<double(double, double)>& distance,
                    const Rgb& colour, double halo);
void paintRivet(Canvas& canvas, double cx, double cy);

// Metal frame with a glass field inside and a glowing edge: the common panel and button body.
// border is the width of the metal rim around the glass.
void paintFramedGlass(Canvas& canvas, const Box& box, double chamfer, double border, const Rgb& glow,
                      std::uint32_t seed);

}  // namespace qz::assets

// Signed distances (in pixels, negative inside) of the few shapes the interface is built from,
// and the painting of a shape with smooth, anti-aliased edges from its distance.
#pragma once

#include "assets/canvas.hpp"

#include <functional>
#include <vector>

namespace qz::assets {

struct Box {
    double x, y, w, h;
};

struct Point {
    double x, y;
};

// Rectangle whose four corners are cut off at 45 degrees by chamfer pixels.
double chamferBoxDistance(double px, double py, const Box& box, double chamfer);
double circleDistance(double px, double py, double cx, double cy, double radius);
double polygonDistance(double px, double py, const std::vector<Point>& polygon);

// Calls paint(x, y) for every pixel of the canvas within reach pixels of the bounds.
void forEachPixelNear(Canvas& canvas, const Box& bounds, double reach, const std::function<void(int, int)>& paint);

// Coverage of a pixel whose centre lies at signed distance d: 1 inside, 0 outside, a ramp
// of one pixel across the edge.
double coverage(double d);

}  // namespace qz::assets

#include "assets/shapes.hpp"

#include <algorithm>
#include <cmath>

namespace qz::assets {

double chamferBoxDistance(double px, double py, const Box& box, double chamfer)
{
    const double hx = box.w / 2.0, hy = box.h / 2.0;
    const double qx = std::fabs(px - (box.x + hx)), qy = std::fabs(py - (box.y + hy));
    const double dx = qx - hx, dy = qy - hy;
    const double outside = std::hypot(std::max(dx, 0.0), std::max(dy, 0.0));
    const double rect = outside + std::min(std::max(dx, dy), 0.0);
    // The cut corner: the half-plane x + y <= hx + hy - chamfer in the first quadrant.
    const double cut = (qx + qy - (hx + hy - chamfer)) * 0.70710678;
    return std::max(rect, cut);
}

double circleDistance(double px, double py, double cx, double cy, double radius)
{
    return std::hypot(px - cx, py - cy) - radius;
}

double polygonDistance(double px, double py, const std::vector<Point>& v)
{
    const std::size_t n = v.size();
    double d = (px - v[0].x) * (px - v[0].x) + (py - v[0].y) * (py - v[0].y);
    double s = 1.0;
    for (std::size_t i = 0, j = n - 1; i < n; j = i, ++i) {
        const double ex = v[j].x - v[i].x, ey = v[j].y - v[i].y;
        const double wx = px - v[i].x, wy = py - v[i].y;
        const double t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0, 1.0);
        const double bx = wx - ex * t, by = wy - ey * t;
        d = std::min(d, bx * bx + by * by);
        const bool c1 = py >= v[i].y, c2 = py < v[j].y, c3 = ex * wy > ey * wx;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
    }
    return s * std::sqrt(d);
}

void forEachPixelNear(Canvas& canvas, const Box& bounds, double reach, const std::function<void(int, int)>& paint)
{
    const int x0 = std::max(0, static_cast<int>(std::floor(bounds.x - reach)));
    const int y0 = std::max(0, static_cast<int>(std::floor(bounds.y - reach)));
    const int x1 = std::min(canvas.width() - 1, static_cast<int>(std::ceil(bounds.x + bounds.w + reach)));
    const int y1 = std::min(canvas.height() - 1, static_cast<int>(std::ceil(bounds.y + bounds.h + reach)));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) paint(x, y);
    }
}

double coverage(double d) { return std::clamp(0.5 - d, 0.0, 1.0); }

}  // namespace qz::assets

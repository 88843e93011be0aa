#include "assets/ships.hpp"

#include "assets/canvas.hpp"
#include "assets/shapes.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace qz::assets {

namespace {

enum class Material { Hull, HullDark, Trim, Glass, Engine, Dome, Turret };

struct Shape {
    Material material;
    std::vector<Point> polygon;  // empty for an ellipse
    double cx = 0, cy = 0, rx = 0, ry = 0;
};

constexpr std::array<PlayerColour, 8> kPalette{{
    {148, 0, 255}, {255, 0, 0}, {36, 219, 0}, {0, 255, 230}, {245, 255, 0}, {255, 137, 0}, {0, 120, 255}, {246, 0, 255},
}};

// A polygon symmetric about x = 16 from the points of its right half (top to bottom).
Shape mirrored(Material m, std::vector<Point> right)
{
    std::vector<Point> all = right;
    for (auto it = right.rbegin(); it != right.rend(); ++it) {
        if (it->x != 16.0) all.push_back({32.0 - it->x, it->y});
    }
    return {m, all};
}

Shape polygon(Material m, std::vector<Point> points) { return {m, std::move(points)}; }
Shape ellipse(Material m, double cx, double cy, double rx, double ry) { return {m, {}, cx, cy, rx, ry}; }
Shape rect(Material m, double x0, double y0, double x1, double y1)
{
    return {m, {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}};
}

// The same shape on both sides: given for the left, mirrored to the right.
void pair(std::vector<Shape>& ship, const Shape& left)
{
    ship.push_back(left);
    Shape right = left;
    if (right.polygon.empty()) {
        right.cx = 32.0 - right.cx;
    } else {
        for (Point& p : right.polygon) p.x = 32.0 - p.x;
        std::reverse(right.polygon.begin(), right.polygon.end());
    }
    ship.push_back(right);
}

// Ship designs, nose up. Size and bulk grow with the type; the colony ship (1) is round with
// a green biosphere dome, the heavy battleship (7) fills the square with armour and turrets.
std::vector<Shape> design(int type)
{
    using M = Material;
    std::vector<Shape> s;
    switch (type) {
    case 1:
        pair(s, rect(M::Trim, 4, 11, 9, 25));
        pair(s, rect(M::Engine, 11, 27, 14, 31));
        s.push_back(ellipse(M::Hull, 16, 17, 9.5, 12.5));
        s.push_back(ellipse(M::HullDark, 16, 16, 6.5, 6.5));
        s.push_back(ellipse(M::Dome, 16, 16, 5.2, 5.2));
        break;
    case 2:
        s.push_back(rect(M::Engine, 14.5, 24, 17.5, 28));
        s.push_back(mirrored(M::Hull, {{16, 4}, {18.5, 15}, {21, 25}, {16, 23}}));
        pair(s, polygon(M::Trim, {{10, 26}, {13, 18.5}, {15, 21}, {14.5, 25}}));
        s.push_back(ellipse(M::Glass, 16, 11, 1.3, 2.8));
        break;
    case 3:
        pair(s, rect(M::Engine, 13, 25, 15, 29));
        s.push_back(mirrored(M::Hull, {{16, 3}, {18, 11}, {19, 17}, {27, 23}, {27, 26}, {18, 24}, {17, 27}, {16, 27}}));
        pair(s, polygon(M::Trim, {{5, 26}, {5, 23}, {10, 20}, {10, 24.5}}));
        s.push_back(ellipse(M::Glass, 16, 10, 1.5, 3));
        break;
    case 4:
        pair(s, rect(M::Engine, 12, 27, 15, 30));
        pair(s, rect(M::Hull, 7, 12, 11, 26));
        pair(s, rect(M::Trim, 7, 10, 11, 13));
        s.push_back(mirrored(M::Hull, {{16, 2}, {18.5, 8}, {20, 16}, {20, 28}, {16, 28}}));
        s.push_back(rect(M::Trim, 14.5, 17, 17.5, 24));
        s.push_back(ellipse(M::Glass, 16, 9, 1.6, 3));
        break;
    case 5:
        pair(s, rect(M::Engine, 9, 27, 12, 30));
        pair(s, rect(M::Engine, 14, 27, 16, 30));
        s.push_back(mirrored(M::Hull, {{16, 3}, {18, 5}, {28, 8}, {29, 12}, {21, 14}, {22, 27}, {16, 27}}));
        pair(s, polygon(M::Trim, {{3, 12}, {4, 8}, {10, 6.5}, {10, 11}}));
        s.push_back(rect(M::HullDark, 14, 14, 18, 25));
        s.push_back(ellipse(M::Glass, 16, 8, 1.8, 2.2));
        break;
    case 6:
        pair(s, rect(M::Engine, 7, 28, 11, 31));
        pair(s, polygon(M::Hull, {{9, 2}, {12, 7}, {12, 29}, {6, 29}, {6, 7}}));
        s.push_back(rect(M::HullDark, 12, 10, 20, 24));
        s.push_back(mirrored(M::Hull, {{16, 8}, {19, 12}, {19, 22}, {16, 24}}));
        pair(s, rect(M::Trim, 7, 12, 11, 16));
        pair(s, rect(M::Trim, 7, 22, 11, 24));
        s.push_back(ellipse(M::Glass, 16, 14, 1.8, 2.4));
        break;
    case 7:
        pair(s, rect(M::Engine, 6, 29, 10, 31.5));
        pair(s, rect(M::Engine, 12, 29, 15, 31.5));
        pair(s, polygon(M::HullDark, {{1, 12}, {5, 9}, {7, 9}, {7, 26}, {1, 24}}));
        s.push_back(mirrored(M::Hull, {{16, 1}, {20, 3}, {24, 6}, {26, 10}, {26, 29}, {16, 29}}));
        pair(s, rect(M::Trim, 2, 14, 6, 21));
        s.push_back(rect(M::Trim, 8, 26, 24, 28));
        s.push_back(rect(M::HullDark, 12, 6, 20, 10));
        for (const double y : {12.5, 19.5}) {
            pair(s, ellipse(M::Turret, 11.5, y, 2.6, 2.6));
            pair(s, rect(M::Turret, 11, y - 5.5, 12, y));
        }
        s.push_back(ellipse(M::Glass, 16, 23, 2.4, 1.8));
        break;
    default:
        pair(s, rect(M::Engine, 8, 29, 12, 31.5));
        pair(s, rect(M::Engine, 13.5, 29, 15.5, 31.5));
        s.push_back(mirrored(M::Hull, {{16, 1}, {19, 2}, {23, 6}, {23, 29}, {16, 29}}));
        pair(s, polygon(M::Hull, {{4, 10}, {9, 7}, {9, 27}, {4, 25}}));
        s.push_back(rect(M::HullDark, 13, 4, 19, 27));
        for (double y = 6.5; y < 26; y += 4) s.push_back(rect(M::Trim, 15.3, y, 16.7, y + 1.6));
        pair(s, rect(M::Trim, 4, 12, 8, 16));
        pair(s, rect(M::Trim, 20, 8, 23, 10));
        s.push_back(ellipse(M::Glass, 16, 3.5, 1.5, 1.2));
        break;
    }
    return s;
}

bool contains(const Shape& shape, double x, double y)
{
    if (shape.polygon.empty()) {
        const double dx = (x - shape.cx) / shape.rx, dy = (y - shape.cy) / shape.ry;
        return dx * dx + dy * dy < 1.0;
    }
    return polygonDistance(x, y, shape.polygon) < 0.0;
}

Rgb shade(Material m, const Rgb& player, double x, double y)
{
    const double light = 0.78 + 0.32 * (1.0 - (x + y) / 64.0);  // lit from the top left
    switch (m) {
    case Material::Hull: return rgb255(150, 158, 172) * light * (std::fmod(std::floor(y / 5.0), 2.0) == 0 ? 1.0 : 0.93);
    case Material::HullDark: return rgb255(72, 78, 92) * light;
    case Material::Trim: return player * (0.8 + 0.2 * light);
    case Material::Glass: return mix(rgb255(110, 210, 255), rgb255(230, 250, 255), std::clamp(1.2 - light, 0.0, 1.0));
    case Material::Engine:
        return mix(rgb255(255, 150, 40), rgb255(255, 240, 200), std::clamp((y - 26.0) / 5.0, 0.0, 1.0));
    case Material::Dome:
        return mix(rgb255(60, 190, 90), rgb255(190, 255, 200), std::clamp(1.1 - light, 0.0, 1.0) * 1.5);
    case Material::Turret: return rgb255(52, 56, 66);
    }
    return {};
}

}  // namespace

PlayerColour playerColour(int colour)
{
    if (colour < 1 || colour > 8) throw std::out_of_range("no such player colour");
    return kPalette[static_cast<std::size_t>(colour - 1)];
}

std::vector<std::uint8_t> paintShip(int colour, int type)
{
    if (type < 1 || type > 8) throw std::out_of_range("no such ship type");
    const PlayerColour pc = playerColour(colour);
    const Rgb player = rgb255(pc.red, pc.green, pc.blue);
    const std::vector<Shape> shapes = design(type);
    constexpr int kSub = 4;

    // Coverage decides per pixel: the ship owns a pixel when at least half of it is covered.
    // No pixel is mixed with the mask, so the silhouette stays clean on any background.
    std::array<bool, kShipSize * kShipSize> solid{};
    std::array<Rgb, kShipSize * kShipSize> colourOf{};
    for (int y = 0; y < kShipSize; ++y) {
        for (int x = 0; x < kShipSize; ++x) {
            Rgb sum;
            int hits = 0;
            for (int sy = 0; sy < kSub; ++sy) {
                for (int sx = 0; sx < kSub; ++sx) {
                    const double px = x + (sx + 0.5) / kSub, py = y + (sy + 0.5) / kSub;
                    for (auto it = shapes.rbegin(); it != shapes.rend(); ++it) {
                        if (contains(*it, px, py)) {
                            sum += shade(it->material, player, px, py);
                            ++hits;
                            break;
                        }
                    }
                }
            }
            const std::size_t i = static_cast<std::size_t>(y) * kShipSize + x;
            solid[i] = hits * 2 >= kSub * kSub;
            if (hits > 0) colourOf[i] = sum * (1.0 / hits);
        }
    }

    std::vector<std::uint8_t> rgb(kShipSize * kShipSize * 3);
    for (int y = 0; y < kShipSize; ++y) {
        for (int x = 0; x < kShipSize; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * kShipSize + x;
            std::uint8_t* out = rgb.data() + i * 3;
            if (!solid[i]) {
                out[0] = 255, out[1] = 0, out[2] = 255;
                continue;
            }
            // A darker rim where the ship meets space keeps the silhouette readable.
            bool edge = false;
            for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
                const int nx = x + dx, ny = y + dy;
                edge |= nx < 0 || ny < 0 || nx >= kShipSize || ny >= kShipSize ||
                        !solid[static_cast<std::size_t>(ny) * kShipSize + nx];
            }
            const Rgb c = colourOf[i] * (edge ? 0.62 : 1.0);
            auto byte = [](double v) {
                return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
            };
            out[0] = byte(c.r), out[1] = byte(c.g), out[2] = byte(c.b);
            if (out[0] == 255 && out[1] == 0 && out[2] == 255) out[0] = 254;  // never the mask colour
        }
    }
    return rgb;
}

}  // namespace qz::assets

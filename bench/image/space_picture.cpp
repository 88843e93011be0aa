#include "space_picture.hpp"

#include <algorithm>
#include <cmath>

namespace qz::bench {

namespace {

std::uint32_t nextRandom(std::uint32_t& state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

// Smooth value noise from a coarse random lattice, bilinearly interpolated.
class Clouds {
public:
    Clouds(int cells, std::uint32_t& state) : cells_(cells), lattice_(static_cast<std::size_t>(cells + 1) * (cells + 1))
    {
        for (float& v : lattice_) v = static_cast<float>(nextRandom(state) % 1000) / 1000.0f;
    }
    float at(float u, float v) const
    {
        const float x = u * cells_, y = v * cells_;
        const int ix = std::min(static_cast<int>(x), cells_ - 1), iy = std::min(static_cast<int>(y), cells_ - 1);
        const float fx = x - ix, fy = y - iy;
        auto cell = [&](int cx, int cy) { return lattice_[static_cast<std::size_t>(cy) * (cells_ + 1) + cx]; };
        const float top = cell(ix, iy) * (1 - fx) + cell(ix + 1, iy) * fx;
        const float bottom = cell(ix, iy + 1) * (1 - fx) + cell(ix + 1, iy + 1) * fx;
        return top * (1 - fy) + bottom * fy;
    }

private:
    int cells_;
    std::vector<float> lattice_;
};

}  // namespace

std::vector<std::uint8_t> spacePicture(int width, int height, std::uint32_t seed)
{
    std::uint32_t state = seed | 1;
    const Clouds coarse(6, state), fine(23, state), tint(4, state);
    std::vector<float> rgb(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float u = static_cast<float>(x) / width, v = static_cast<float>(y) / height;
            const float density = std::pow(coarse.at(u, v) * 0.7f + fine.at(u, v) * 0.3f, 3.0f);
            const float hue = tint.at(u, v);
            float* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            const float grain = static_cast<float>(nextRandom(state) % 7);
            p[0] = 6 + grain + density * (160 * hue + 40);
            p[1] = 4 + grain + density * 60;
            p[2] = 12 + grain + density * (180 * (1 - hue) + 50);
        }
    }
    const int stars = width * height / 900;
    for (int s = 0; s < stars; ++s) {
        const int cx = static_cast<int>(nextRandom(state) % width), cy = static_cast<int>(nextRandom(state) % height);
        const float brightness = 80.0f + static_cast<float>(nextRandom(state) % 175);
        const int radius = nextRandom(state) % 10 == 0 ? 4 : 1;
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx) {
                const int x = cx + dx, y = cy + dy;
                if (x < 0 || y < 0 || x >= width || y >= height) continue;
                const float glow = brightness / (1.0f + 2.0f * (dx * dx + dy * dy));
                float* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
                for (int c = 0; c < 3; ++c) p[c] += glow;
            }
    }
    std::vector<std::uint8_t> out(rgb.size());
    std::transform(rgb.begin(), rgb.end(), out.begin(),
                   [](float f) { return static_cast<std::uint8_t>(std::clamp(f, 0.0f, 255.0f)); });
    return out;
}

}  // namespace qz::bench

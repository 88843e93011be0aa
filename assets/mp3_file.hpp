// Encodes stereo 44100 Hz sample data to constant-bit-rate MP3 with LAME.
#pragma once

#include <cstdint>
#include <vector>

namespace qz::assets {

constexpr int kSampleRate = 44100;

struct StereoBuffer {
    std::vector<float> left;
    std::vector<float> right;

    explicit StereoBuffer(std::size_t frames) : left(frames, 0.0f), right(frames, 0.0f) {}
    std::size_t frames() const { return left.size(); }
};

// Samples are expected in [-1, 1]; kbps is the constant bit rate.
std::vector<std::uint8_t> encodeMp3(const StereoBuffer& sound, int kbps);

}  // namespace qz::assets

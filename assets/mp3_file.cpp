#include "assets/mp3_file.hpp"

#include <lame/lame.h>

#include <algorithm>
#include <stdexcept>

namespace qz::assets {

std::vector<std::uint8_t> encodeMp3(const StereoBuffer& sound, int kbps)
{
    lame_global_flags* lame = lame_init();
    if (lame == nullptr) throw std::runtime_error("LAME could not start");
    lame_set_num_channels(lame, 2);
    lame_set_in_samplerate(lame, kSampleRate);
    lame_set_out_samplerate(lame, kSampleRate);
    lame_set_brate(lame, kbps);
    lame_set_mode(lame, JOINT_STEREO);
    lame_set_quality(lame, 7);    // fast; the music is soft synthesis, no transients to protect
    lame_set_bWriteVbrTag(lame, 0);  // plain frames only: the length follows from the frame count
    if (lame_init_params(lame) < 0) {
        lame_close(lame);
        throw std::runtime_error("LAME rejected its parameters");
    }

    constexpr int kChunk = 8192;
    std::vector<std::uint8_t> out;
    std::vector<unsigned char> buffer(kChunk * 5 / 4 + 7200);
    for (std::size_t at = 0; at < sound.frames(); at += kChunk) {
        const int n = static_cast<int>(std::min<std::size_t>(kChunk, sound.frames() - at));
        const int written = lame_encode_buffer_ieee_float(lame, sound.left.data() + at, sound.right.data() + at, n,
                                                          buffer.data(), static_cast<int>(buffer.size()));
        if (written < 0) {
            lame_close(lame);
            throw std::runtime_error("MP3 encoding failed");
        }
        out.insert(out.end(), buffer.begin(), buffer.begin() + written);
    }
    const int tail = lame_encode_flush(lame, buffer.data(), static_cast<int>(buffer.size()));
    if (tail > 0) out.insert(out.end(), buffer.begin(), buffer.begin() + tail);
    lame_close(lame);
    return out;
}

}  // namespace qz::assets

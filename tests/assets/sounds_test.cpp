// The click and the five music tracks: MPEG-1 Layer III, 44100 Hz stereo, each track as long
// as the music player waits for it (within a second), all of them real sound, not silence.
#include "generated_files.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace qz::assets::test {
namespace {

struct Mp3Walk {
    bool valid = true;
    int frames = 0;
    int minKbps = 1000;
    int maxKbps = 0;
    bool stereo = true;
    std::size_t zeroBytes = 0;

    double seconds() const { return frames * 1152.0 / 44100.0; }
};

// Walks the file frame by frame from its header fields, as a decoder would.
Mp3Walk walk(const std::vector<std::uint8_t>& b)
{
    static constexpr int kKbps[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
    Mp3Walk w;
    std::size_t at = 0;
    if (b.size() > 10 && b[0] == 'I' && b[1] == 'D' && b[2] == '3') {
        at = 10 + ((b[6] & 0x7Fu) << 21 | (b[7] & 0x7Fu) << 14 | (b[8] & 0x7Fu) << 7 | (b[9] & 0x7Fu));
    }
    while (at + 4 <= b.size()) {
        const bool sync = b[at] == 0xFF && (b[at + 1] & 0xE0) == 0xE0;
        const int version = (b[at + 1] >> 3) & 3, layer = (b[at + 1] >> 1) & 3;
        const int rate = b[at + 2] >> 4, frequency = (b[at + 2] >> 2) & 3, padding = (b[at + 2] >> 1) & 1;
        const int mode = b[at + 3] >> 6;
        if (!sync || version != 3 || layer != 1 || frequency != 0 || kKbps[rate] == 0) {
            w.valid = false;
            break;
        }
        const std::size_t length = 144u * kKbps[rate] * 1000u / 44100u + padding;
        w.minKbps = std::min(w.minKbps, kKbps[rate]);
        w.maxKbps = std::max(w.maxKbps, kKbps[rate]);
        w.stereo = w.stereo && mode != 3;
        w.zeroBytes +=
            static_cast<std::size_t>(std::count(b.begin() + at + 4, b.begin() + std::min(b.size(), at + length), 0));
        ++w.frames;
        at += length;
    }
    // A trailing tag of at most 128 bytes is allowed, nothing else.
    if (b.size() - std::min(at, b.size()) > 128) w.valid = false;
    return w;
}

struct Track {
    const char* name;
    int seconds;
};

constexpr Track kTracks[] = {
    {"Schweben", 169}, {"Stardust_Sandbox", 330}, {"Tribal_Movies", 188}, {"New_Begin", 237}, {"Traum", 238},
};

TEST(Sounds, MusicTracksLastTheirNominalLength)
{
    for (const Track& t : kTracks) {
        SCOPED_TRACE(t.name);
        const std::vector<std::uint8_t> bytes = readBytes(std::string("sound/") + t.name + ".mp3");
        const Mp3Walk w = walk(bytes);
        ASSERT_TRUE(w.valid);
        EXPECT_TRUE(w.stereo);
        EXPECT_GE(w.minKbps, 96);
        EXPECT_LE(w.maxKbps, 128);
        // The encoder adds its delay and padding (well under a second) after the music.
        EXPECT_GE(w.seconds(), t.seconds - 0.05);
        EXPECT_LT(w.seconds(), t.seconds + 1.0);
    }
}

TEST(Sounds, MusicIsSoundNotSilence)
{
    for (const Track& t : kTracks) {
        SCOPED_TRACE(t.name);
        const std::vector<std::uint8_t> bytes = readBytes(std::string("sound/") + t.name + ".mp3");
        const Mp3Walk w = walk(bytes);
        // Silent frames are mostly zero bytes at a constant bit rate; music fills them.
        EXPECT_LT(static_cast<double>(w.zeroBytes) / static_cast<double>(bytes.size()), 0.1);
    }
}

TEST(Sounds, ClickIsAShortValidStereoSound)
{
    const std::vector<std::uint8_t> bytes = readBytes("sound/Klick.mp3");
    const Mp3Walk w = walk(bytes);
    ASSERT_TRUE(w.valid);
    EXPECT_TRUE(w.stereo);
    EXPECT_GE(w.frames, 3);
    EXPECT_LT(w.seconds(), 0.4);
    EXPECT_LT(static_cast<double>(w.zeroBytes) / static_cast<double>(bytes.size()), 0.5);
}

}  // namespace
}  // namespace qz::assets::test

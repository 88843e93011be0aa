// A frame on the headless backend whose sound service records every call and can be told
// that certain files fail to load; interface pictures are plain squares of distinct colours,
// so a test can tell from a pixel which picture was drawn there.
#pragma once

#include "frame/klang.hpp"
#include "platform/headless/headless_platform.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace qz::test {

class ScriptedSound : public Sound {
public:
    struct Call {
        std::string what;  // "init", "load", "play", "volume", "free"
        std::string file;
        int a = 0;
        int b = 0;
    };

    void init(int mixRate, int channels, int flags) override;
    int loadSample(const std::string& file) override;
    int playSample(int sample) override;
    void setVolume(int channel, int volume) override;
    void freeSample(int sample) override;

    std::vector<Call> calls;
    std::set<std::string> failing;  // files whose load gives handle 0

private:
    int nextSample_ = 0;
    int nextChannel_ = 0;
};

class ScriptedPlatform : public HeadlessPlatform {
public:
    Sound& sound() override { return sound_; }
    ScriptedSound& scripted() { return sound_; }

private:
    ScriptedSound sound_;
};

// The colour of stand-in interface picture k.
Farbe bildFarbe(int k);

struct SoundFixture : ::testing::Test {
    ScriptedPlatform platform;
    Rahmen r{platform};

    SoundFixture();
    std::vector<ScriptedSound::Call>& calls() { return platform.scripted().calls; }
    // A completed left click at (x, y), as the main loop reports it to a screen.
    void leftClick(int x, int y);
    Farbe pixel(int x, int y) { return r.screen().row(y)[x] & 0xFFFFFF; }
    // True when text drawn at (x, y) in white appears on the screen there, glyph for glyph.
    bool showsText(int x, int y, const std::string& cp437);
    bool showsCentredText(double centreX, int y, const std::string& cp437);
};

}  // namespace qz::test

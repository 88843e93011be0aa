// The in-memory twin of the real window: same frame buffer, scripted mouse and keys and a
// manual clock, so tests and tools drive whole screens deterministically and fast.
#pragma once

#include "platform/platform.hpp"

#include <algorithm>
#include <deque>
#include <set>
#include <string>
#include <vector>

namespace qz {

// Records what the game asked of the sound service.
class RecordingSound : public Sound {
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

private:
    SilentSound files_;
    int nextChannel_ = 0;
};

class HeadlessPlatform : public Platform {
public:
    void screenOpen(int width, int height, int depth) override;
    void windowTitle(const std::string& title) override { title_ = title; }
    MouseState getMouse() override { return mouse_; }
    bool keyDown(int scanCode) override { return held_.count(scanCode) > 0; }
    std::string inkey() override;
    double timer() override { return now_; }
    bool quitRequested() const override { return quit_; }
    void sleepMs(int milliseconds) override { now_ += milliseconds / 1000.0; }
    void sleepUntil(double zeit) override { now_ = std::max(now_, zeit); }
    double framePeriod() const override { return framePeriod_; }
    void sleepUntilKey(int milliseconds) override;
    Sound& sound() override { return sound_; }
    bool fullscreen() const override { return fullscreen_; }
    void setFullscreen(bool on) override { fullscreen_ = on; }

    // Scripted input and the manual clock.
    void moveMouse(int x, int y) { mouse_.x = x; mouse_.y = y; }
    void leaveWindow() { mouse_.x = -1; mouse_.y = -1; mouse_.buttons = 0; }
    void setButtons(int buttons) { mouse_.buttons = buttons; }
    void turnWheel(int notches) { mouse_.wheel += notches; }
    void holdKey(int scanCode) { held_.insert(scanCode); }
    void releaseKey(int scanCode) { held_.erase(scanCode); }
    void releaseAllKeys() { held_.clear(); }
    void typeText(const std::string& cp437);         // one buffered key per byte
    void typeSpecialKey(int scanCode);                // 255 followed by the scan code
    void advance(double seconds) { now_ += seconds; }
    void closeWindow() { quit_ = true; }
    // Passes per second of the main loop: 1000 unless a test asks for the pace of a display.
    void setPassRate(double passesPerSecond) { framePeriod_ = 1.0 / passesPerSecond; }

    const std::string& title() const { return title_; }
    int framesShown() const { return frames_; }
    RecordingSound& recordedSound() { return sound_; }

protected:
    void present() override { ++frames_; }

private:
    MouseState mouse_;
    std::set<int> held_;
    std::deque<std::string> keys_;
    double now_ = 1000.0;
    double framePeriod_ = 0.001;
    std::string title_;
    int frames_ = 0;
    bool fullscreen_ = false;
    bool quit_ = false;
    RecordingSound sound_;
};

}  // namespace qz

// Every operating-system service of the game behind one interface: window and frame buffer,
// input, timer, sleep, random numbers and sound. Two backends: platform/sdl (the real window)
// and platform/headless (tests and tools: scripted input, manual clock).
#pragma once

#include "platform/image.hpp"
#include "platform/sound.hpp"

#include <string>

namespace qz {

// Set-1 scan codes the game tests.
namespace scan {
constexpr int Escape = 0x01, Tab = 0x0F, W = 0x11, A = 0x1E, S = 0x1F, D = 0x20, H = 0x23;
constexpr int Up = 0x48, Left = 0x4B, Right = 0x4D, Down = 0x50;
}  // namespace scan

struct MouseState {
    int x = -1;
    int y = -1;
    int wheel = 0;
    int buttons = 0;  // 1 left, 2 right, 4 middle
};

class Platform {
public:
    virtual ~Platform() = default;

    virtual void screenOpen(int width, int height, int depth) = 0;
    virtual void windowTitle(const std::string& title) = 0;
    bool screenIsOpen() const { return screen_.width > 0; }
    int screenDepth() const { return screenIsOpen() ? 32 : 0; }

    // Locks nest; the outermost unlock shows the frame.
    void screenLock() { ++lockDepth_; }
    void screenUnlock();
    Image& screen() { return screen_; }

    virtual MouseState getMouse() = 0;
    virtual bool keyDown(int scanCode) = 0;
    virtual std::string inkey() = 0;  // code page 437; 255 + scan code for keys without a character

    virtual double timer() = 0;
    virtual void sleepMs(int milliseconds) = 0;
    // Sleeps until timer() reads at least `zeit`; returns at once when it already does.
    virtual void sleepUntil(double zeit) = 0;
    // The shortest time between two shown frames: one refresh of the display, or the frame
    // limit where the display cannot pace presents itself.
    virtual double framePeriod() const = 0;
    // Sleeps at most that long, returning early when a key is pressed (checked every 50 ms).
    virtual void sleepUntilKey(int milliseconds) = 0;

    double rnd();
    void randomize(double seed);

    virtual Sound& sound() = 0;

    // True once the player closed the window; the main loop then ends like "Beenden".
    virtual bool quitRequested() const { return false; }

    // The window fills the screen (the player toggles it with F11 or Alt+Enter); the settings
    // file keeps it between runs. Set it after screenOpen.
    virtual bool fullscreen() const { return false; }
    virtual void setFullscreen(bool) {}

protected:
    virtual void present() = 0;
    Image screen_;

private:
    int lockDepth_ = 0;
    unsigned long long rng_ = 0x9E3779B97F4A7C15ull;
};

// The process-wide platform whose screen is open; the JPEG loader and error handlers look at it.
Platform* activePlatform();
void setActivePlatform(Platform* platform);

}  // namespace qz

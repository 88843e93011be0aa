// The real window: SDL2 with one streaming texture presented per frame. The frame keeps its
// logical size when the window is resized, maximised or made fullscreen (F11, Alt+Enter); SDL
// scales it with black bars and maps the pointer back to frame pixels, so the game never sees
// the difference. Presents wait for the display's refresh where the renderer can, and a frame
// equal to the one on screen is not sent again.
#pragma once

#include "platform/platform.hpp"

#include <chrono>
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

namespace qz {

class SdlPlatform : public Platform {
public:
    SdlPlatform();
    ~SdlPlatform() override;

    void screenOpen(int width, int height, int depth) override;
    void windowTitle(const std::string& title) override;
    MouseState getMouse() override;
    bool keyDown(int scanCode) override;
    std::string inkey() override;
    double timer() override;
    void sleepMs(int milliseconds) override;
    void sleepUntil(double zeit) override;
    double framePeriod() const override { return framePeriod_; }
    void sleepUntilKey(int milliseconds) override;
    Sound& sound() override { return *sound_; }

    bool quitRequested() const override { return quit_; }
    bool fullscreen() const override;
    void setFullscreen(bool on) override;

protected:
    void present() override;

private:
    void pump();
    void handle(const SDL_Event& event);
    bool windowKey(const SDL_Event& event);
    void toggleFullscreen();
    void updateFramePeriod();

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    std::string title_;
    MouseState mouse_;
    int pressedSinceRead_ = 0;
    int wheelGelesen_ = 0;  // the wheel position the game has been given
    std::set<int> tapped_;          // set-1 codes pressed since the last pass began
    std::set<int> tappedLastPass_;  // pressed during the previous pass
    std::deque<std::string> keys_;
    bool quit_ = false;
    bool keyPressed_ = false;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    bool vsync_ = false;
    double framePeriod_ = 1.0 / 60;
    std::vector<Farbe> shown_;  // the frame on screen, so an unchanged frame is not sent again
    bool mustPresent_ = true;   // the window lost or rescaled what it showed
    std::unique_ptr<Sound> sound_;
};

}  // namespace qz

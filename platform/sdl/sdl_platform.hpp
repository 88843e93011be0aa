// The real window: SDL2 with one streaming texture presented per frame. The frame keeps its
// logical size when the window is resized or maximised; SDL scales it with black bars and maps
// the pointer back to frame pixels, so the game never sees the difference.
#pragma once

#include "platform/platform.hpp"

#include <chrono>
#include <deque>
#include <memory>
#include <set>
#include <string>

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
    void sleepUntilKey(int milliseconds) override;
    Sound& sound() override { return *sound_; }

    bool quitRequested() const override { return quit_; }

protected:
    void present() override;

private:
    void pump();
    void handle(const SDL_Event& event);

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    std::string title_;
    MouseState mouse_;
    int pressedSinceRead_ = 0;
    std::set<int> tapped_;          // set-1 codes pressed since the last pass began
    std::set<int> tappedLastPass_;  // pressed during the previous pass
    std::deque<std::string> keys_;
    bool quit_ = false;
    bool keyPressed_ = false;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::unique_ptr<Sound> sound_;
};

}  // namespace qz

#include "platform/sdl/sdl_platform.hpp"

#include "platform/errors.hpp"
#include "platform/sdl/sdl_keys.hpp"
#include "platform/sdl/sdl_sound.hpp"

#include <SDL2/SDL.h>

#include <algorithm>
#include <thread>

namespace qz {

namespace {

// Keys that give no character: the keyboard buffer reports them as 255 + scan code.
bool isSpecialKey(SDL_Scancode s)
{
    switch (s) {
    case SDL_SCANCODE_UP: case SDL_SCANCODE_DOWN: case SDL_SCANCODE_LEFT: case SDL_SCANCODE_RIGHT:
    case SDL_SCANCODE_HOME: case SDL_SCANCODE_END: case SDL_SCANCODE_PAGEUP: case SDL_SCANCODE_PAGEDOWN:
    case SDL_SCANCODE_INSERT: case SDL_SCANCODE_DELETE:
        return true;
    default:
        return s >= SDL_SCANCODE_F1 && s <= SDL_SCANCODE_F12;
    }
}

}  // namespace

SdlPlatform::SdlPlatform() : sound_(makeSdlSound()) {}

SdlPlatform::~SdlPlatform()
{
    if (activePlatform() == this) setActivePlatform(nullptr);
    sound_.reset();  // the mixer closes before SDL itself
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_Quit();
}

void SdlPlatform::screenOpen(int width, int height, int depth)
{
    if (width < 1 || height < 1 || depth != 32) raiseError(kIllegalFunctionCall);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) raiseError(kIllegalFunctionCall);
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    window_ = SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                               SDL_WINDOW_RESIZABLE);
    if (!window_) raiseError(kIllegalFunctionCall);
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (!renderer_) raiseError(kIllegalFunctionCall);
    vsync_ = SDL_RenderSetVSync(renderer_, 1) == 0;
    updateFramePeriod();
    SDL_RenderSetLogicalSize(renderer_, width, height);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (!texture_) raiseError(kIllegalFunctionCall);
    screen_ = *imageCreate(width, height, 0x00000000);
    SDL_StartTextInput();
    setActivePlatform(this);
}

void SdlPlatform::windowTitle(const std::string& title)
{
    // The game's texts are single-byte; the window system wants UTF-8.
    title_.clear();
    for (unsigned char c : title) {
        if (c < 0x80) {
            title_ += static_cast<char>(c);
        } else {
            title_ += static_cast<char>(0xC0 | c >> 6);
            title_ += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    if (window_) SDL_SetWindowTitle(window_, title_.c_str());
}

void SdlPlatform::updateFramePeriod()
{
    SDL_DisplayMode mode;
    const int display = SDL_GetWindowDisplayIndex(window_);
    const bool known = display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0;
    const double refresh = known ? mode.refresh_rate : 60.0;
    // With vsync the present waits for the refresh itself; the limit then only catches a driver
    // that claims to wait and does not, and lies a little above the refresh so that it never
    // decides which refresh a frame lands on.
    framePeriod_ = (vsync_ ? 0.95 : 1.0) / refresh;
}

bool SdlPlatform::fullscreen() const
{
    return window_ != nullptr && (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
}

void SdlPlatform::toggleFullscreen()
{
    SDL_SetWindowFullscreen(window_, fullscreen() ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    mustPresent_ = true;
}

void SdlPlatform::setFullscreen(bool on)
{
    if (window_ && on != fullscreen()) toggleFullscreen();
}

// F11 and Alt+Enter belong to the window, not to the game: they toggle a borderless fullscreen
// window and never reach the keyboard buffer.
bool SdlPlatform::windowKey(const SDL_Event& e)
{
    const SDL_Scancode s = e.key.keysym.scancode;
    const bool enter = s == SDL_SCANCODE_RETURN || s == SDL_SCANCODE_KP_ENTER;
    if (s != SDL_SCANCODE_F11 && !(enter && (e.key.keysym.mod & KMOD_ALT) != 0)) return false;
    if (!e.key.repeat) toggleFullscreen();
    return true;
}

void SdlPlatform::present()
{
    // Menus and a resting map draw the same frame pass after pass; it is on screen already.
    if (!mustPresent_ && shown_ == screen_.pixels) return;
    shown_ = screen_.pixels;
    mustPresent_ = false;
    SDL_UpdateTexture(texture_, nullptr, screen_.pixels.data(), screen_.width * 4);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}

void SdlPlatform::handle(const SDL_Event& e)
{
    switch (e.type) {
    case SDL_QUIT:
        quit_ = true;
        break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_LEAVE) {
            mouse_.x = mouse_.y = -1;
            mouse_.buttons = 0;
        } else if (e.window.event == SDL_WINDOWEVENT_DISPLAY_CHANGED) {
            updateFramePeriod();
        } else {
            // Exposed, resized, restored: the window may have lost or rescaled its picture.
            mustPresent_ = true;
        }
        break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
        mustPresent_ = true;
        break;
    case SDL_MOUSEMOTION:
        mouse_.x = std::clamp(e.motion.x, 0, screen_.width - 1);
        mouse_.y = std::clamp(e.motion.y, 0, screen_.height - 1);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        int bit = e.button.button == SDL_BUTTON_LEFT ? 1 : e.button.button == SDL_BUTTON_RIGHT ? 2
                : e.button.button == SDL_BUTTON_MIDDLE ? 4 : 0;
        if (e.type == SDL_MOUSEBUTTONDOWN) {
            mouse_.buttons |= bit;
            pressedSinceRead_ |= bit;
        } else {
            mouse_.buttons &= ~bit;
        }
        mouse_.x = std::clamp(e.button.x, 0, screen_.width - 1);
        mouse_.y = std::clamp(e.button.y, 0, screen_.height - 1);
        break;
    }
    case SDL_MOUSEWHEEL:
        mouse_.wheel += e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        break;
    case SDL_TEXTINPUT: {
        std::string text = utf8ToCp437(e.text.text);
        for (char c : text) keys_.emplace_back(1, c);
        keyPressed_ = true;
        break;
    }
    case SDL_KEYDOWN: {
        if (windowKey(e)) break;
        keyPressed_ = true;
        SDL_Scancode s = e.key.keysym.scancode;
        if (!e.key.repeat) tapped_.insert(setOneCodeOf(s));
        if (s == SDL_SCANCODE_BACKSPACE) keys_.emplace_back(1, '\x08');
        else if (s == SDL_SCANCODE_RETURN || s == SDL_SCANCODE_KP_ENTER) keys_.emplace_back(1, '\r');
        else if (s == SDL_SCANCODE_ESCAPE) keys_.emplace_back(1, '\x1b');
        else if (s == SDL_SCANCODE_TAB) keys_.emplace_back(1, '\t');
        else if (isSpecialKey(s)) keys_.push_back({static_cast<char>(255), static_cast<char>(setOneCodeOf(s))});
        break;
    }
    default:
        break;
    }
}

void SdlPlatform::pump()
{
    SDL_Event e;
    while (SDL_PollEvent(&e)) handle(e);
}

MouseState SdlPlatform::getMouse()
{
    pump();
    // A press and release between two reads still shows as held once, so the next read
    // completes the click instead of losing it.
    MouseState state = mouse_;
    if (state.x >= 0 || state.y >= 0) state.buttons |= pressedSinceRead_;
    pressedSinceRead_ = 0;
    // One wheel notch per read: the game makes one event of each change it sees, so notches
    // turned within one frame are handed over one pass at a time instead of merging.
    wheelGelesen_ += (mouse_.wheel > wheelGelesen_) - (mouse_.wheel < wheelGelesen_);
    state.wheel = wheelGelesen_;
    return state;
}

bool SdlPlatform::keyDown(int scanCode)
{
    SDL_Scancode s = sdlScancodeOf(scanCode);
    if (s == SDL_SCANCODE_UNKNOWN) return false;
    return SDL_GetKeyboardState(nullptr)[s] != 0 || tappedLastPass_.count(scanCode) > 0 ||
           tapped_.count(scanCode) > 0;
}

std::string SdlPlatform::inkey()
{
    // The keyboard buffer is read first in every pass: a key pressed and released since the
    // previous pass counts as held for this whole pass, so short taps are not lost.
    tappedLastPass_ = std::move(tapped_);
    tapped_.clear();
    pump();
    if (keys_.empty()) return {};
    std::string key = keys_.front();
    keys_.pop_front();
    return key;
}

double SdlPlatform::timer()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void SdlPlatform::sleepMs(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

void SdlPlatform::sleepUntil(double zeit)
{
    std::this_thread::sleep_until(
        start_ + std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(zeit)));
}

void SdlPlatform::sleepUntilKey(int milliseconds)
{
    keyPressed_ = false;
    for (int waited = 0; waited < milliseconds && !keyPressed_ && !quit_; waited += 50) {
        sleepMs(std::min(50, milliseconds - waited));
        pump();
    }
}

}  // namespace qz

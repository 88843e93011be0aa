// The real window on SDL's dummy video driver: F11 and Alt+Enter toggle the borderless
// fullscreen window and never reach the game's keyboard buffer (Enter alone and the other
// function keys still do); wheel notches reach the game one per pass.
#include "platform/sdl/sdl_platform.hpp"

#include <SDL.h>
#include <gtest/gtest.h>

namespace qz {
namespace {

void druecke(SDL_Scancode taste, Uint16 umschalter = KMOD_NONE)
{
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.scancode = taste;
    e.key.keysym.sym = SDL_GetKeyFromScancode(taste);
    e.key.keysym.mod = umschalter;
    SDL_PushEvent(&e);
}

struct SdlWindow : ::testing::Test {
    SdlPlatform platform;
    static void SetUpTestSuite() { SDL_setenv("SDL_VIDEODRIVER", "dummy", 1); }
    void SetUp() override { platform.screenOpen(1024, 768, 32); }
};

TEST_F(SdlWindow, F11AndAltEnterToggleFullscreenWithoutReachingTheGame)
{
    EXPECT_FALSE(platform.fullscreen());
    EXPECT_GT(platform.framePeriod(), 0.0);
    EXPECT_LE(platform.framePeriod(), 1.0 / 60);

    druecke(SDL_SCANCODE_F11);
    EXPECT_EQ(platform.inkey(), "");
    EXPECT_TRUE(platform.fullscreen());
    druecke(SDL_SCANCODE_RETURN, KMOD_LALT);
    EXPECT_EQ(platform.inkey(), "");
    EXPECT_FALSE(platform.fullscreen());
    druecke(SDL_SCANCODE_KP_ENTER, KMOD_RALT);
    EXPECT_EQ(platform.inkey(), "");
    EXPECT_TRUE(platform.fullscreen());

    druecke(SDL_SCANCODE_RETURN);
    EXPECT_EQ(platform.inkey(), "\r");
    druecke(SDL_SCANCODE_F10);
    EXPECT_EQ(platform.inkey(), std::string({static_cast<char>(255), static_cast<char>(0x44)}));
    EXPECT_TRUE(platform.fullscreen());
}

TEST_F(SdlWindow, NotchesTurnedWithinOneFrameReachTheGameOnePerPass)
{
    for (int n = 0; n < 3; ++n) {
        SDL_Event e{};
        e.type = SDL_MOUSEWHEEL;
        e.wheel.y = -1;
        SDL_PushEvent(&e);
    }
    EXPECT_EQ(platform.getMouse().wheel, -1);
    EXPECT_EQ(platform.getMouse().wheel, -2);
    EXPECT_EQ(platform.getMouse().wheel, -3);
    EXPECT_EQ(platform.getMouse().wheel, -3);
}

}  // namespace
}  // namespace qz

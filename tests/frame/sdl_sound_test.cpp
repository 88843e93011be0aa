// The SDL2_mixer sound service: on SDL's dummy audio driver it loads the generated MP3s,
// plays them on channels and maps the game's volume onto the mixer's scale; without any audio
// device it stays silent and the game's sound logic still runs.
#include "sound_fixture.hpp"

#include "platform/sdl/sdl_sound.hpp"

#include <SDL.h>
#include <SDL_mixer.h>

#include <string>

namespace qz::test {
namespace {

std::string generated(const std::string& name) { return std::string(QZ_GENERATED_DIR) + "/sound/" + name; }

TEST(SdlSoundVolume, GameValueGoesUnchangedOntoA255ScaleMappedToTheMixers128)
{
    EXPECT_EQ(mixerVolume(0), 0);
    EXPECT_EQ(mixerVolume(5), 2);
    EXPECT_EQ(mixerVolume(50), 25);
    EXPECT_EQ(mixerVolume(100), 50);  // the loudest game setting is 100 of 255
    EXPECT_EQ(mixerVolume(255), 128);
    EXPECT_EQ(mixerVolume(-5), 0);
    EXPECT_EQ(mixerVolume(400), 128);
}

struct SdlSoundOnDriver : ::testing::Test {
    std::unique_ptr<Sound> sound;

    void startWith(const char* driver)
    {
        SDL_setenv("SDL_AUDIODRIVER", driver, 1);
        sound = makeSdlSound();
        sound->init(44100, 64, 0);
    }
    void TearDown() override { sound.reset(); }
};

TEST_F(SdlSoundOnDriver, LoadsPlaysAndFreesTheClick)
{
    startWith("dummy");
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0) GTEST_SKIP() << "this SDL has no dummy audio driver";
    EXPECT_EQ(Mix_AllocateChannels(-1), 64);
    const int click = sound->loadSample(generated("Klick.mp3"));
    EXPECT_EQ(click, 1);
    EXPECT_EQ(sound->loadSample(generated("Fehlt.mp3")), 0);

    // Two clicks at once take two free channels, each with its own volume.
    const int first = sound->playSample(click), second = sound->playSample(click);
    ASSERT_GE(first, 1);
    ASSERT_GE(second, 1);
    EXPECT_NE(first, second);
    sound->setVolume(first, 100);
    sound->setVolume(second, 30);
    EXPECT_EQ(Mix_Volume(first - 1, -1), 50);
    EXPECT_EQ(Mix_Volume(second - 1, -1), 15);
    EXPECT_EQ(Mix_Playing(first - 1), 1);

    sound->freeSample(click);
    EXPECT_EQ(Mix_Playing(first - 1), 0);
    EXPECT_EQ(sound->playSample(click), 0);  // a freed handle plays nothing
    EXPECT_EQ(sound->loadSample(generated("Klick.mp3")), 1);  // the freed slot is taken again

    // Handle and channel 0 are passed on and do nothing.
    EXPECT_EQ(sound->playSample(0), 0);
    sound->setVolume(0, 50);
    sound->freeSample(0);
}

TEST_F(SdlSoundOnDriver, MusicTrackStreamsOnItsOwnChannelWithItsOwnVolume)
{
    startWith("dummy");
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0) GTEST_SKIP() << "this SDL has no dummy audio driver";
    const int click = sound->loadSample(generated("Klick.mp3"));
    const int music = sound->loadSample(generated("Stardust_Sandbox.mp3"));
    EXPECT_EQ(music, 2);
    const int channel = sound->playSample(music);
    EXPECT_EQ(channel, 65);  // after the 64 mixing channels
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    sound->setVolume(channel, 100);
    EXPECT_EQ(Mix_VolumeMusic(-1), 50);

    // Clicks play beside the music and do not touch its volume.
    const int clickChannel = sound->playSample(click);
    sound->setVolume(clickChannel, 5);
    EXPECT_EQ(Mix_VolumeMusic(-1), 50);

    // The next track replaces the freed one, as the music tick does it.
    sound->freeSample(music);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    const int next = sound->loadSample(generated("Traum.mp3"));
    EXPECT_EQ(next, 2);
    EXPECT_EQ(sound->playSample(next), 65);
    EXPECT_EQ(Mix_PlayingMusic(), 1);

    // A second large file while a track is loaded is decoded like a click instead.
    const int other = sound->loadSample(generated("Schweben.mp3"));
    EXPECT_EQ(other, 3);
    const int otherChannel = sound->playSample(other);
    EXPECT_GE(otherChannel, 1);
    EXPECT_LE(otherChannel, 64);
    EXPECT_EQ(Mix_PlayingMusic(), 1);
}

TEST_F(SdlSoundOnDriver, WithoutAnAudioDeviceTheGameRunsSilently)
{
    startWith("no-such-audio-driver");
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    const int click = sound->loadSample(generated("Klick.mp3"));
    EXPECT_GT(click, 0);  // the file is there, so the game's logic sees a loaded sample
    EXPECT_EQ(sound->loadSample(generated("Fehlt.mp3")), 0);
    const int channel = sound->playSample(click);
    sound->setVolume(channel, 50);
    sound->freeSample(click);
}

}  // namespace
}  // namespace qz::test

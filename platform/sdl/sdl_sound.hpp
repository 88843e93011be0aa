// The sound service over SDL2_mixer. Without an audio device (a server, CI, a missing sound
// card) it falls back to the silent service: samples "load" when their file exists, nothing is
// heard, and the game runs on unchanged.
#pragma once

#include "platform/sound.hpp"

#include <memory>

namespace qz {

std::unique_ptr<Sound> makeSdlSound();

// The game's volume value as SDL_mixer's channel volume. The game passes its own 0..100
// unchanged to a library whose scale is 0..255 (so 100 plays at 100/255 of full loudness);
// SDL_mixer's scale is 0..128, hence v * 128 / 255, rounded down and clamped to 0..128.
int mixerVolume(int volume);

}  // namespace qz

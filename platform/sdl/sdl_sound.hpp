// The sound service over SDL2_mixer; silent when no audio device can be opened.
#pragma once

#include "platform/sound.hpp"

#include <memory>

namespace qz {

std::unique_ptr<Sound> makeSdlSound();

}  // namespace qz

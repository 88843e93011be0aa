#include "platform/sdl/sdl_sound.hpp"

namespace qz {

std::unique_ptr<Sound> makeSdlSound() { return std::make_unique<SilentSound>(); }

}  // namespace qz

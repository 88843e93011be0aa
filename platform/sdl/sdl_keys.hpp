// Translation between SDL scancodes and the PC set-1 scan codes the game names its keys by,
// and from SDL's UTF-8 text to code page 437.
#pragma once

#include <SDL2/SDL_scancode.h>

#include <string>

namespace qz {

SDL_Scancode sdlScancodeOf(int setOneCode);
int setOneCodeOf(SDL_Scancode scancode);  // 0 when the key has no set-1 code
std::string utf8ToCp437(const char* utf8);  // characters without a code page 437 form are dropped

}  // namespace qz

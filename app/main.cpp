// qz: the game. No arguments, no environment, no configuration file.
#include "app/programm.hpp"
#include "platform/sdl/sdl_platform.hpp"

int main()
{
    qz::SdlPlatform platform;
    return qz::runProgram(platform, qz::echteAnbindung());
}

// qz: the game.
#include "app/desktop_folders.hpp"
#include "app/programm.hpp"
#include "platform/sdl/sdl_platform.hpp"

int main()
{
    qz::useDesktopFolders();
    qz::SdlPlatform platform;
    return qz::runProgram(platform, qz::echteAnbindung());
}

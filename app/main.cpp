// qz: the game. No arguments, no environment, no configuration file.
#include "app/programm.hpp"
#include "image/jpeg_get.hpp"
#include "multiplayer/server_exchange.hpp"
#include "platform/sdl/sdl_platform.hpp"

int main()
{
    qz::SdlPlatform platform;
    qz::Anbindung anbindung;
    anbindung.server = qz::makeServerRoundTrip(qz::kServerHost, qz::kServerPort);
    anbindung.bildLaden = [](const std::string& file) { return qz::JPEGGET(file, -1, -1, 0x10000000, 0x10000000); };
    return qz::runProgram(platform, anbindung);
}

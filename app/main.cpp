// qz: the game.
#include "app/desktop_folders.hpp"
#include "app/kommandozeile.hpp"
#include "app/programm.hpp"
#include "platform/sdl/sdl_platform.hpp"

#include <cstdio>

int main(int argc, char** argv)
{
    const qz::Kommandozeile zeile = qz::kommandozeileLesen(std::vector<std::string>(argv + 1, argv + argc));
    if (zeile.hilfe || !zeile.fehler.empty()) {
        if (!zeile.fehler.empty()) std::fprintf(stderr, "qz: %s\n", zeile.fehler.c_str());
        std::fputs(qz::hilfetext().c_str(), zeile.hilfe ? stdout : stderr);
        return zeile.hilfe ? 0 : 2;
    }
    qz::Startoptionen optionen = zeile.optionen;
    if (!zeile.wiedergabeDatei.empty()) {
        qz::Aufnahmedatei datei = qz::aufnahmeLesen(zeile.wiedergabeDatei);
        if (!datei.aufnahme) {
            std::fprintf(stderr, "qz: %s\n", datei.fehler.c_str());
            return 2;
        }
        optionen.aufnahme = std::move(datei.aufnahme);
    }
    qz::useDesktopFolders();
    qz::SdlPlatform platform;
    return qz::runProgram(platform, qz::echteAnbindung(), optionen);
}

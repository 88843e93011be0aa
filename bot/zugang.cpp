#include "bot/zugang.hpp"

#include "platform/gemerkte_passwoerter.hpp"

#include <cstdlib>

namespace qz {

std::string botKonfigurationsdatei()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string ordner;
    if (xdg != nullptr && xdg[0] == '/') ordner = xdg;
    else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') ordner = std::string(home) + "/.config";
    else ordner = ".";
    return ordner + "/qz/qz-bot.conf";
}

std::optional<std::string> botPasswort(const std::string& name, std::string& fehler)
{
    if (const char* umgebung = std::getenv("QZ_BOT_PASSWORD"); umgebung != nullptr && umgebung[0] != '\0')
        return std::string(umgebung);
    return gemerktesPasswort(botKonfigurationsdatei(), name, fehler);
}

}  // namespace qz

#include "platform/passwortdatei.hpp"

namespace qz {

std::optional<std::string> passwortIn(std::string_view inhalt, std::string_view name)
{
    while (!inhalt.empty()) {
        const std::size_t ende = inhalt.find('\n');
        const std::string_view zeile = inhalt.substr(0, ende);
        inhalt = ende == std::string_view::npos ? std::string_view() : inhalt.substr(ende + 1);
        // The last space ends the name.
        const std::size_t trenner = zeile.rfind(' ');
        if (trenner != std::string_view::npos && zeile.substr(0, trenner) == name && trenner + 1 < zeile.size())
            return std::string(zeile.substr(trenner + 1));
    }
    return std::nullopt;
}

void passwortAnfuegen(std::string& inhalt, std::string_view name, std::string_view passwort)
{
    if (!inhalt.empty() && inhalt.back() != '\n') inhalt += '\n';
    inhalt.append(name).append(" ").append(passwort).append("\n");
}

}  // namespace qz

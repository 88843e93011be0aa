#include "multiplayer/private/computerspiel.hpp"

#include "platform/folders.hpp"

#include <algorithm>

namespace qz {

namespace {

const char* stufenArgument(int stufe)
{
    return stufe <= kStufeLeicht ? "leicht" : stufe >= kStufeSchwer ? "schwer" : "mittel";
}

}  // namespace

const char* stufenText(int stufe)
{
    return stufe <= kStufeLeicht ? "Leicht" : stufe >= kStufeSchwer ? "Schwer" : "Mittel";
}

bool computerspielerStarten(Computerspiel& c, const std::string& server, const std::string& basis,
                            const std::string& kanal, const std::string& kanalPasswort, int stufe,
                            std::string& fehler)
{
    const std::optional<std::filesystem::path> programm = computerspielerProgramm();
    if (!programm) {
        fehler = "qz-bot nicht gefunden";
        return false;
    }
    std::string name;
    for (int nummer = 1; name.empty(); ++nummer) {
        const std::string kandidat = basis + std::to_string(nummer);
        if (std::none_of(c.spieler.begin(), c.spieler.end(),
                         [&](const Computerspiel::Computerspieler& s) { return s.name == kandidat; }))
            name = kandidat;
    }
    const std::filesystem::path protokoll = xdgStateHome() / "qz" / "computerspieler.log";
    std::error_code egal;
    std::filesystem::create_directories(protokoll.parent_path(), egal);
    try {
        c.spieler.push_back({starteComputerspieler(*programm, server, kanal, kanalPasswort, stufenArgument(stufe),
                                                   name, protokoll),
                             name});
    } catch (const std::runtime_error&) {
        fehler = "qz-bot startet nicht";
        return false;
    }
    return true;
}

}  // namespace qz

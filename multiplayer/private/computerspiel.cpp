#include "multiplayer/private/computerspiel.hpp"

#include "platform/folders.hpp"
#include "platform/uebersetzung.hpp"

#include <algorithm>
#include <cstdint>

namespace qz {

namespace {

const char* stufenArgument(int stufe)
{
    return stufe <= kStufeLeicht ? "leicht" : stufe >= kStufeSchwer ? "schwer" : "mittel";
}

}  // namespace

std::string_view stufenText(int stufe)
{
    return stufe <= kStufeLeicht ? trMark("Leicht") : stufe >= kStufeSchwer ? trMark("Schwer") : trMark("Mittel");
}

std::string computerName(const std::string& login, int nummer)
{
    const std::string nummerText = std::to_string(nummer);
    if (login.empty()) return "Computer" + nummerText;
    // The limit of a login. The number grows with every start in one channel (a failed one
    // keeps its number), so it never takes more than a few of the 15.
    constexpr std::size_t kLaenge = 15;
    const std::string endung = "-KI" + nummerText;
    const std::size_t platz = kLaenge - endung.size();
    if (login.size() <= platz) return login + endung;
    std::uint32_t h = 2166136261u;  // FNV-1a over the whole login
    for (unsigned char z : login) h = (h ^ z) * 16777619u;
    static const char* kZeichen = "0123456789abcdefghijklmnopqrstuv";
    std::string kennung;
    for (int i = 0; i < 4; ++i, h >>= 5) kennung += kZeichen[h & 31u];
    return login.substr(0, platz - 4) + kennung + endung;
}

void computerspielerBeenden(Computerspiel& c)
{
    for (Computerspiel::Computerspieler& s : c.spieler) s.prozess.anstossen();
    const auto frist = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    for (Computerspiel::Computerspieler& s : c.spieler) {
        const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(frist - std::chrono::steady_clock::now());
        s.prozess.beenden(std::max(rest, std::chrono::milliseconds(0)));
    }
    c.spieler.clear();
}

bool computerspielerStarten(Computerspiel& c, const std::string& server, const std::string& login,
                            const std::string& sitzung, int stufe, std::string& fehler)
{
    const std::optional<std::filesystem::path> programm = computerspielerProgramm();
    if (!programm) {
        fehler = trMark("qz-bot nicht gefunden");
        return false;
    }
    std::string name;
    for (int nummer = 1; name.empty(); ++nummer) {
        const std::string kandidat = computerName(login, nummer);
        if (std::none_of(c.spieler.begin(), c.spieler.end(),
                         [&](const Computerspiel::Computerspieler& s) { return s.name == kandidat; }))
            name = kandidat;
    }
    const std::filesystem::path protokoll = xdgStateHome() / "qz" / "computerspieler.log";
    std::error_code egal;
    std::filesystem::create_directories(protokoll.parent_path(), egal);
    try {
        // While a private game runs, every computer player goes to its server.
        const std::string schluessel = c.server ? c.server->schluessel() : std::string();
        c.spieler.push_back({starteComputerspieler(*programm, server, sitzung, stufenArgument(stufe), name, protokoll,
                                                   schluessel),
                             name, stufe});
    } catch (const std::runtime_error&) {
        fehler = trMark("qz-bot startet nicht");
        return false;
    }
    return true;
}

}  // namespace qz

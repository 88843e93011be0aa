#include "sandbox/speicherplaetze.hpp"
#include "platform/folders.hpp"

#include "map/spielstart.hpp"

#include <chrono>
#include <memory>
#include <random>
#include <vector>

namespace qz {

namespace {

// The name of a copy's own folder beside the save folder: this, then a random number.
constexpr std::string_view kUebernahme = ".uebernahme";

}  // namespace

std::filesystem::path platzPfad(int platz)
{
    return folders().saves / ("spielstand" + std::to_string(platz) + ".qz");
}

Platzinfo platzLesen(int platz)
{
    Platzinfo info;
    const std::optional<std::string> datei = dateiLesen(platzPfad(platz));
    if (!datei) return info;
    info.belegt = true;
    info.fehler = spielstandKopfLesen(*datei, info.kopf);
    return info;
}

std::string spielstandDatei(const Spielstand& spiel, double jetzt)
{
    const auto seit1970 = std::chrono::system_clock::now().time_since_epoch();
    return spielstandSchreiben(spiel, jetzt, std::chrono::duration_cast<std::chrono::seconds>(seit1970).count());
}

bool platzSchreiben(int platz, std::string_view datei)
{
    std::error_code fehler;
    std::filesystem::create_directories(platzPfad(platz).parent_path(), fehler);
    return !fehler && dateiErsetzen(platzPfad(platz), datei);
}

bool platzSpeichern(int platz, const Spielstand& spiel, double jetzt)
{
    return platzSchreiben(platz, spielstandDatei(spiel, jetzt));
}

bool alteSpielstaendeUebernehmen(const std::filesystem::path& alt, const std::filesystem::path& neu)
{
    std::error_code fehler;
    if (std::filesystem::exists(neu, fehler) || fehler || !std::filesystem::is_directory(alt, fehler)) return false;
    // A folder of its own for each copy: two copies started together must not remove or fill
    // each other's. The first renamed into place wins; the others' renames find it there.
    std::filesystem::create_directories(neu.parent_path(), fehler);
    const std::string stamm = neu.filename().string() + std::string(kUebernahme);
    std::filesystem::path zwischen;
    std::random_device zufall;
    for (int versuch = 0; versuch < 8 && zwischen.empty(); ++versuch) {
        const std::filesystem::path name = neu.parent_path() / (stamm + std::to_string(zufall()));
        if (std::filesystem::create_directory(name, fehler)) zwischen = name;
    }
    bool ok = !zwischen.empty();
    bool kopiert = false;
    for (int platz = 1; ok && platz <= kSpeicherplaetze; ++platz) {
        const std::string name = "spielstand" + std::to_string(platz) + ".qz";
        if (!std::filesystem::is_regular_file(alt / name, fehler)) continue;
        const std::optional<std::string> inhalt = dateiLesen(alt / name);
        ok = inhalt && dateiErsetzen(zwischen / name, *inhalt);
        kopiert = kopiert || ok;
    }
    if (ok && kopiert) std::filesystem::rename(zwischen, neu, fehler);
    if (!ok || !kopiert || fehler) {
        if (!zwischen.empty()) std::filesystem::remove_all(zwischen, fehler);
        return false;
    }
    // The saves are in place: what interrupted starts left behind goes, and a copy still
    // filling its folder finds it gone and gives up, having nothing left to take over.
    std::vector<std::filesystem::path> reste;
    for (const auto& eintrag : std::filesystem::directory_iterator(neu.parent_path(), fehler))
        if (eintrag.path().filename().string().starts_with(stamm)) reste.push_back(eintrag.path());
    for (const std::filesystem::path& rest : reste) std::filesystem::remove_all(rest, fehler);
    return true;
}

Lesefehler spielLaden(Rahmen& r, Spielstand& spiel, const Bildquellen& quellen, std::string_view datei)
{
    auto neu = std::make_unique<Spielstand>();
    const Lesefehler fehler = spielstandLesen(datei, r.platform.timer(), *neu);
    if (fehler != Lesefehler::Keiner) return fehler;
    spiel = std::move(*neu);
    spielBilderLaden(r, spiel, quellen);
    r.Unterzustand.clear();
    return Lesefehler::Keiner;
}

}  // namespace qz

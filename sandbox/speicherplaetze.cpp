#include "sandbox/speicherplaetze.hpp"
#include "platform/folders.hpp"

#include "map/spielstart.hpp"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace qz {

std::filesystem::path platzPfad(int platz)
{
    return folders().saves / ("spielstand" + std::to_string(platz) + ".qz");
}

bool dateiErsetzen(const std::filesystem::path& ziel, std::string_view inhalt)
{
    // A name of its own for every save: two games saving the same slot at once must not write
    // into one file, or each would rename the other's half-written bytes into place.
    std::string temp = ziel.string() + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return false;
    // mkstemp makes the file readable by its owner only; a save is as readable as it always was.
    ::fchmod(fd, 0644);
    bool ok = true;
    std::size_t geschrieben = 0;
    while (ok && geschrieben < inhalt.size()) {
        const ssize_t n = ::write(fd, inhalt.data() + geschrieben, inhalt.size() - geschrieben);
        if (n > 0) geschrieben += static_cast<std::size_t>(n);
        else if (n < 0 && errno == EINTR) continue;
        else ok = false;
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), ziel.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // The new name lives in the folder: flushing it keeps a power cut from bringing back the old file.
    const std::filesystem::path ordner = ziel.has_parent_path() ? ziel.parent_path() : ".";
    const int ofd = ::open(ordner.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (ofd >= 0) {
        ::fsync(ofd);
        ::close(ofd);
    }
    return true;
}

std::optional<std::string> dateiLesen(const std::filesystem::path& pfad)
{
    const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string inhalt;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size > 0) inhalt.reserve(static_cast<std::size_t>(info.st_size));
    char puffer[1 << 16];
    ssize_t n = 0;
    while ((n = ::read(fd, puffer, sizeof puffer)) != 0) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        inhalt.append(puffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return inhalt;
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
    const std::filesystem::path zwischen = neu.string() + ".uebernahme";
    std::filesystem::remove_all(zwischen, fehler);  // what an interrupted start left behind
    bool ok = std::filesystem::create_directories(zwischen, fehler);
    bool kopiert = false;
    for (int platz = 1; ok && platz <= kSpeicherplaetze; ++platz) {
        const std::string name = "spielstand" + std::to_string(platz) + ".qz";
        if (!std::filesystem::is_regular_file(alt / name, fehler)) continue;
        const std::optional<std::string> inhalt = dateiLesen(alt / name);
        ok = inhalt && dateiErsetzen(zwischen / name, *inhalt);
        kopiert = kopiert || ok;
    }
    if (!ok || !kopiert || ::rename(zwischen.c_str(), neu.c_str()) != 0) {
        std::filesystem::remove_all(zwischen, fehler);
        return false;
    }
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

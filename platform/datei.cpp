#include "platform/datei.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qz {

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

std::optional<std::filesystem::path> neueDatei(const std::filesystem::path& ordner, std::string_view stamm)
{
    std::string muster = (ordner / stamm).string() + "XXXXXX";
    const int fd = ::mkostemp(muster.data(), O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    ::close(fd);
    return muster;
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

}  // namespace qz

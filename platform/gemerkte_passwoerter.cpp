#include "platform/gemerkte_passwoerter.hpp"

#include "platform/passwortdatei.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

namespace qz {

namespace {

std::string zufallsPasswort()
{
    unsigned char bytes[16] = {};
    std::ifstream zufall("/dev/urandom", std::ios::binary);
    zufall.read(reinterpret_cast<char*>(bytes), sizeof bytes);
    if (!zufall) return {};
    static const char* kZiffern = "0123456789abcdef";
    std::string text;
    for (unsigned char b : bytes) {
        text += kZiffern[b >> 4];
        text += kZiffern[b & 15];
    }
    return text;
}

bool ordnerAnlegen(const std::string& pfad)
{
    for (std::size_t p = 1; p <= pfad.size(); ++p) {
        if (p < pfad.size() && pfad[p] != '/') continue;
        const std::string teil = pfad.substr(0, p);
        if (::mkdir(teil.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return true;
}

// The whole file into `inhalt`; a missing file is an empty one. False with errno set when the
// file exists but cannot be read.
bool passwortDateiLesen(const std::string& datei, std::string& inhalt)
{
    inhalt.clear();
    const int fd = ::open(datei.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT;
    char puffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, puffer, sizeof puffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int grund = errno;
            ::close(fd);
            errno = grund;
            return n == 0;
        }
        inhalt.append(puffer, static_cast<std::size_t>(n));
    }
}

class Sperre {
public:
    explicit Sperre(const std::string& datei) : fd_(::open(datei.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~Sperre()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    Sperre(const Sperre&) = delete;
    Sperre& operator=(const Sperre&) = delete;
    bool gehalten() const { return fd_ >= 0; }

private:
    int fd_;
};

}  // namespace

std::optional<std::string> gemerktesPasswort(const std::string& datei, const std::string& name, std::string& fehler)
{
    const std::string ordner = datei.substr(0, datei.rfind('/'));
    if (!ordnerAnlegen(ordner)) {
        fehler = "cannot make " + ordner + ": " + std::strerror(errno);
        return std::nullopt;
    }
    // Programs started together for one game each read, add their line and write back: one
    // at a time, or a password would be lost.
    const Sperre sperre(datei + ".lock");
    if (!sperre.gehalten()) {
        fehler = "cannot lock " + datei + ".lock: " + std::strerror(errno);
        return std::nullopt;
    }
    // Only a missing file starts empty: one that exists but cannot be read holds the passwords
    // of other names, which writing a fresh file over it would lose for good.
    std::string inhalt;
    if (!passwortDateiLesen(datei, inhalt)) {
        fehler = "cannot read " + datei + ": " + std::strerror(errno);
        return std::nullopt;
    }
    if (std::optional<std::string> gemerkt = passwortIn(inhalt, name)) return gemerkt;

    const std::string passwort = zufallsPasswort();
    if (passwort.empty()) {
        fehler = "no random bytes for a password";
        return std::nullopt;
    }
    passwortAnfuegen(inhalt, name, passwort);
    // Written beside and renamed over the file, so a crash never leaves half a file and the
    // passwords of the other names survive.
    const std::string neu = datei + ".tmp";
    const int fd = ::open(neu.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    bool gut = fd >= 0;
    for (std::size_t geschrieben = 0; gut && geschrieben < inhalt.size();) {
        const ssize_t n = ::write(fd, inhalt.data() + geschrieben, inhalt.size() - geschrieben);
        if (n < 0 && errno == EINTR) continue;
        gut = n > 0;
        if (gut) geschrieben += static_cast<std::size_t>(n);
    }
    if (fd >= 0) {
        gut = ::fsync(fd) == 0 && gut;
        gut = ::close(fd) == 0 && gut;
    }
    if (!gut || ::rename(neu.c_str(), datei.c_str()) != 0) {
        fehler = "cannot write " + datei + ": " + std::strerror(errno);
        ::unlink(neu.c_str());
        return std::nullopt;
    }
    return passwort;
}

}  // namespace qz

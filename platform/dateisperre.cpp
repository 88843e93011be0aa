#include "platform/dateisperre.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace qz {

Dateisperre::Dateisperre(const std::filesystem::path& datei)
    : fd_(::open(datei.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
{
}

Dateisperre::~Dateisperre()
{
    if (fd_ >= 0) ::close(fd_);
}

bool Dateisperre::offen() const { return fd_ >= 0; }

namespace {

bool sperren(int fd, int art)
{
    if (fd < 0) return false;
    int ergebnis;
    do {
        ergebnis = ::flock(fd, art);
    } while (ergebnis != 0 && errno == EINTR);
    return ergebnis == 0;
}

}  // namespace

bool Dateisperre::exklusiv(bool warten) { return sperren(fd_, warten ? LOCK_EX : LOCK_EX | LOCK_NB); }

bool Dateisperre::geteilt() { return sperren(fd_, LOCK_SH); }

}  // namespace qz

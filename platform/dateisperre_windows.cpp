#include "platform/dateisperre.hpp"

#include <windows.h>

namespace qz {

Dateisperre::Dateisperre(const std::filesystem::path& datei)
    : datei_(CreateFileW(datei.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr))
{
}

Dateisperre::~Dateisperre()
{
    if (offen()) CloseHandle(datei_);
}

bool Dateisperre::offen() const { return datei_ != INVALID_HANDLE_VALUE; }

namespace {

// The lock covers the file's first byte, whether or not the file holds one.
bool sperren(HANDLE datei, bool& gehalten, DWORD art)
{
    if (datei == INVALID_HANDLE_VALUE) return false;
    OVERLAPPED ab{};
    // Windows does not turn one kind of lock into the other: the old one goes first.
    if (gehalten) UnlockFileEx(datei, 0, 1, 0, &ab);
    gehalten = LockFileEx(datei, art, 0, 1, 0, &ab) != 0;
    return gehalten;
}

}  // namespace

bool Dateisperre::exklusiv(bool warten)
{
    return sperren(datei_, gehalten_, LOCKFILE_EXCLUSIVE_LOCK | (warten ? 0 : LOCKFILE_FAIL_IMMEDIATELY));
}

bool Dateisperre::geteilt() { return sperren(datei_, gehalten_, 0); }

}  // namespace qz

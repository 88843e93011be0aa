// A lock on a file that programs of the game take together: shared by many or exclusive to
// one, released when the object goes or the program ends, however it ends. flock on POSIX
// systems, LockFileEx on Windows.
#pragma once

#include <filesystem>

namespace qz {

class Dateisperre {
public:
    // Opens `datei`, making it (readable by its owner only) when missing; holds no lock yet.
    explicit Dateisperre(const std::filesystem::path& datei);
    ~Dateisperre();
    Dateisperre(const Dateisperre&) = delete;
    Dateisperre& operator=(const Dateisperre&) = delete;

    // False when the file could not be opened; every lock then fails.
    bool offen() const;
    // The exclusive lock; with `warten` false only when nobody else holds any lock right now.
    bool exklusiv(bool warten = true);
    // The shared lock, waiting for an exclusive holder; an exclusive lock held here becomes it.
    bool geteilt();

private:
#ifdef _WIN32
    void* datei_;
    bool gehalten_ = false;
#else
    int fd_;
#endif
};

}  // namespace qz

// The kept passwords on Windows: the same file and rules as on POSIX systems, through the
// Windows services (LockFileEx, the write-through replacing, the system's random numbers).
// The account's own folder (%APPDATA%) is readable by that account only already.
#include "platform/gemerkte_passwoerter.hpp"

#include "platform/passwortdatei.hpp"

#include "platform/datei.hpp"
#include "platform/dateisperre.hpp"

#include <windows.h>
#include <bcrypt.h>

#include <filesystem>

namespace qz {

namespace {

std::string zufallsPasswort()
{
    unsigned char bytes[16] = {};
    if (BCryptGenRandom(nullptr, bytes, sizeof bytes, BCRYPT_USE_SYSTEM_PREFERRED_RNG) != 0) return {};
    static const char* kZiffern = "0123456789abcdef";
    std::string text;
    for (unsigned char b : bytes) {
        text += kZiffern[b >> 4];
        text += kZiffern[b & 15];
    }
    return text;
}

}  // namespace

std::optional<std::string> gemerktesPasswort(const std::string& datei, const std::string& name, std::string& fehler)
{
    const std::filesystem::path pfad(datei);
    std::error_code fehlerCode;
    std::filesystem::create_directories(pfad.parent_path(), fehlerCode);
    if (fehlerCode) {
        fehler = "cannot make " + pfad.parent_path().string() + ": " + fehlerCode.message();
        return std::nullopt;
    }
    // Programs started together for one game each read, add their line and write back: one
    // at a time, or a password would be lost.
    Dateisperre sperre(datei + ".lock");
    if (!sperre.exklusiv()) {
        fehler = "cannot lock " + datei + ".lock";
        return std::nullopt;
    }
    // Only a missing file starts empty: one that exists but cannot be read holds the passwords
    // of other names, which writing a fresh file over it would lose for good.
    std::string inhalt;
    if (std::filesystem::exists(pfad, fehlerCode)) {
        const std::optional<std::string> gelesen = dateiLesen(pfad);
        if (!gelesen) {
            fehler = "cannot read " + datei;
            return std::nullopt;
        }
        inhalt = *gelesen;
    }
    if (std::optional<std::string> gemerkt = passwortIn(inhalt, name)) return gemerkt;

    const std::string passwort = zufallsPasswort();
    if (passwort.empty()) {
        fehler = "no random bytes for a password";
        return std::nullopt;
    }
    passwortAnfuegen(inhalt, name, passwort);
    if (!dateiErsetzen(pfad, inhalt)) {
        fehler = "cannot write " + datei;
        return std::nullopt;
    }
    return passwort;
}

}  // namespace qz

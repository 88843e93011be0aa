// Login passwords the game's own programs keep for themselves, one "name password" line per name
// in a file readable by its owner only: the first call for a name makes a password from random
// bytes and adds its line, every later call returns the same password, so the same name logs
// in again later. Programs started together may ask at once: the file is changed under a lock
// and renamed into place, so no line is ever lost.
#pragma once

#include <optional>
#include <string>

namespace qz {

// The password kept for `name` in `datei` (its folder made when missing), or nothing with the
// reason in `fehler` (the file could not be read or written). `name` may hold spaces, not a
// line break.
std::optional<std::string> gemerktesPasswort(const std::string& datei, const std::string& name, std::string& fehler);

}  // namespace qz

// The lines of the password file the game's own programs keep, one "NAME PASSWORD" per line,
// the same on every system. A name may hold spaces, a password never does.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qz {

// The password kept for `name` in the file's text; nothing when it has none.
std::optional<std::string> passwortIn(std::string_view inhalt, std::string_view name);

// The text with a line for `name` added at its end.
void passwortAnfuegen(std::string& inhalt, std::string_view name, std::string_view passwort);

}  // namespace qz

// The settings that last between runs: the two volumes, fullscreen, the server, the login
// name (never the password) and the language. They live in the settings file (folders().settings) as plain
// "key = value" lines that a person can edit; a line starting with "#" is a comment.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qz {

struct Einstellungen {
    int musikLautstaerke = 50;   // 0..100 in steps of 5, as the options screen sets them
    int effektLautstaerke = 50;
    bool vollbild = false;
    std::string server;          // empty: the server the game was built for
    std::string name;            // the last login name the server accepted
    std::string sprache;         // the language chosen in "Optionen" ("de", "en", ...); empty:
                                 // the environment's (platform/sprachwahl.hpp)
    bool operator==(const Einstellungen&) const = default;
};

// The settings a file's text holds, keys it leaves out at their defaults. Nothing when any
// line is something else than an empty line, a comment or a known key with a valid value
// (a damaged file, or another program's); `zeile` then names the first such line.
std::optional<Einstellungen> einstellungenLesen(std::string_view text, int& zeile);

// The file's text: every setting, one per line, under a comment that explains them.
std::string einstellungenText(const Einstellungen& werte);

// The settings of the file: the defaults when it is missing, and also when it cannot be read
// or holds anything else than settings, which the error report then notes in one line.
Einstellungen einstellungenLaden(const std::filesystem::path& datei);

// Replaces the file (making its folder) through a temporary file of a name of its own, flushed
// to the disk and renamed over it (dateiErsetzen); false when that failed.
bool einstellungenSchreiben(const std::filesystem::path& datei, const Einstellungen& werte);

}  // namespace qz

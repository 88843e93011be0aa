// Which language the game speaks when the settings file names none: the environment's, as
// gettext programs read it (LANGUAGE, then LC_ALL, LC_MESSAGES and LANG), decided only from
// the variables' text and the catalogues at hand, so it needs no locale of the system.
#pragma once

#include <string>
#include <vector>

namespace qz {

struct Sprachumgebung {
    std::string language;    // LANGUAGE: a colon list tried in order, e.g. "pt_BR:fr"
    std::string lcAll;       // LC_ALL
    std::string lcMessages;  // LC_MESSAGES
    std::string lang;        // LANG
};

Sprachumgebung sprachumgebungLesen();

// The language code for the environment, given the codes that have a catalogue: a language
// with a catalogue gives its code ("pt_BR" before "pt"); German, C, POSIX or nothing set gives
// "de"; any other language gives "en". The first of LANGUAGE's entries that has a catalogue or
// is German wins; with none, the first variable set after it decides.
std::string spracheAusUmgebung(const Sprachumgebung& umgebung, const std::vector<std::string>& kataloge);

}  // namespace qz

// Which language the game speaks when the settings file names none: the environment's, as
// gettext programs read it (LANGUAGE, then LC_ALL, LC_MESSAGES and LANG), decided only from
// the variables' text and the catalogues at hand, so it needs no locale of the system. With
// none of them set, Windows' display language decides (a Windows player rarely sets any).
#pragma once

#include <string>
#include <vector>

namespace qz {

struct Sprachumgebung {
    std::string language;    // LANGUAGE: a colon list tried in order, e.g. "pt_BR:fr"
    std::string lcAll;       // LC_ALL
    std::string lcMessages;  // LC_MESSAGES
    std::string lang;        // LANG
    std::string system;      // the system's display language, "en_US"; "" where it is LANG itself
};

// The language the system shows its own texts in, as the variables name one ("en_US"): Windows'
// display language; "" on Linux, whose desktop session says it in LANG.
std::string systemsprache();

Sprachumgebung sprachumgebungLesen();

// The language code for the environment, given the codes that have a catalogue: a language
// with a catalogue gives its code ("pt_BR" before "pt"); German, C, POSIX or nothing set gives
// "de"; any other language gives "en". The first of LANGUAGE's entries that has a catalogue or
// is German wins; with none, the first variable set after it decides; with no variable set at
// all, the system's language by the same rule.
std::string spracheAusUmgebung(const Sprachumgebung& umgebung, const std::vector<std::string>& kataloge);

}  // namespace qz

// qz's command line: "--server HOST[:PORT]" (also "--server=HOST[:PORT]"), "--replay FILE" (also
// "--replay=FILE") and "--help".
#pragma once

#include "app/programm.hpp"

#include "replay/qzr_file.hpp"

#include <optional>
#include <string>
#include <vector>

namespace qz {

struct Kommandozeile {
    Startoptionen optionen;
    bool hilfe = false;
    std::string wiedergabeDatei;  // --replay: read by aufnahmeLesen before any window opens
    std::string fehler;  // what was wrong; empty when the line was understood
};

Kommandozeile kommandozeileLesen(const std::vector<std::string>& argumente);

// The usage text of --help and of a line that was not understood.
std::string hilfetext();

// The recording of "--replay FILE", or why it is refused (damaged, truncated, foreign, newer,
// unreadable), in one line for standard error.
struct Aufnahmedatei {
    std::optional<replay::Recording> aufnahme;
    std::string fehler;
};
Aufnahmedatei aufnahmeLesen(const std::string& datei);

}  // namespace qz

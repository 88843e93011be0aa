// qz's command line: "--server HOST[:PORT]" (also "--server=HOST[:PORT]") and "--help".
#pragma once

#include "app/programm.hpp"

#include <string>
#include <vector>

namespace qz {

struct Kommandozeile {
    Startoptionen optionen;
    bool hilfe = false;
    std::string fehler;  // what was wrong; empty when the line was understood
};

Kommandozeile kommandozeileLesen(const std::vector<std::string>& argumente);

// The usage text of --help and of a line that was not understood.
std::string hilfetext();

}  // namespace qz

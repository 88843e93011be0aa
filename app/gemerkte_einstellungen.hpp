// The settings file and the running program: what of the program the file keeps, putting a
// file's settings into the program at start-up, and writing the file when a setting changed.
#pragma once

#include "app/programm.hpp"

namespace qz {

// The settings as the program holds them now.
Einstellungen einstellungenDesProgramms(Programm& programm);

void einstellungenAnwenden(Programm& programm, const Einstellungen& werte);

// Writes the settings file (when the program keeps one) once a setting differs from what the
// file holds; a file that cannot be written is tried again at the next change.
void einstellungenSichern(Programm& programm);

}  // namespace qz

// Research: one day's points for a topic, and the topic rows of the research tab with their
// switch, progress bar and text.
#pragma once

#include "frame/rahmen.hpp"

#include <string>

namespace qz {

// One day of one switched-on topic: its equal share of the day's points, then at most one level
// when the points exceed kosten x stufe. A new level of the scanner (topic 5) asks for the scan
// overlay to be redrawn.
void SUB_FORSCHUNG(int aktiv, int& stufe, int kosten, int& fortschritt, int aktiveThemen, int forschungspunkte,
                   int thema, int& kartenNeuzeichnen);

struct Forschung;

// Topic row `zeile` (1..4) of the research tab; a click on the switch turns the topic on or off.
// The row holds its name and figures in one line of its bar, or, `zweizeilig`, the name on a
// line above the bar and the figures in it, for a translation too long for one line.
void SUB_STERNSYSTEM_FORSCHUNG(Rahmen& rahmen, int mausX, int mausY, int& Mausereignis, int& aktiv,
                               const std::string& name, int stufe, int kosten, int fortschritt, int& aktiveThemen,
                               int zeile, bool zweizeilig = false);

// The four rows of research category `kategorie` (1..3), all in one line or all in two.
void forschungsZeilen(Rahmen& rahmen, Forschung& forschung, int kategorie);

}  // namespace qz

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

// Topic row `zeile` (1..4) of the research tab; a click on the switch turns the topic on or off.
void SUB_STERNSYSTEM_FORSCHUNG(Rahmen& rahmen, int mausX, int mausY, int& Mausereignis, int& aktiv,
                               const std::string& name, int stufe, int kosten, int fortschritt, int& aktiveThemen,
                               int zeile);

}  // namespace qz

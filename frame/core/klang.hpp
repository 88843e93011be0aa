// Sound and music of the frame: start-up, the click, the music tick, the options and credits
// screens and the shutdown of the samples.
#pragma once

#include "frame/core/rahmen.hpp"

namespace qz {

void soundStart(Rahmen& rahmen);
void playClick(Rahmen& rahmen);
void musikTick(Rahmen& rahmen);
void soundShutdown(Rahmen& rahmen);

// The options screen; "Zurück" sets Programmzustand and Unterzustand to the given values, so
// the main menu and the mode menus can share it.
void optionsScreen(Rahmen& rahmen, const std::string& zurueckZustand, const std::string& zurueckUnterzustand);
void creditsScreen(Rahmen& rahmen);

}  // namespace qz

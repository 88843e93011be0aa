// The "Option" screen: music and effect volume, 0..100 in steps of 5, and the language. Shared by the main menu
// and the option sub-screens of the sandbox and multiplayer menus, which differ only in where
// "Zurück" leads.
#pragma once

#include "frame/rahmen.hpp"

#include <string>

namespace qz {

// Draws the screen and handles this pass's left click; "Zurück" sets Programmzustand and
// Unterzustand to the given values.
void optionsScreen(Rahmen& rahmen, const std::string& zurueckZustand, const std::string& zurueckUnterzustand);

// The value text of a volume: "Aus" at 0, else the number followed by "%".
Text lautstaerkeText(int lautstaerke);

}  // namespace qz

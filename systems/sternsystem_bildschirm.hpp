// The screens of an opened star system: the own-system screen's frame with its five tabs
// (overview, statistics and trading post, research, shipbuilding, hangar) and the visit screen
// of a system the player has reached first, which offers colonisation.
#pragma once

#include "frame/rahmen.hpp"
#include "state/spielstand.hpp"

namespace qz {

// The frame of the own-system screen, tabs 1 and 3 and the title of tab 5, the tab navigation
// and closing. Draws nothing for a system the player does not own.
void SUB_STERNSYSTEM_SELECT(Rahmen& rahmen, Sternsysteme& systeme, int system, int eigenerSpieler,
                            Kartenzustand& karte, int& forschungsetat, int& gewaehltesSystem,
                            int& kartenNeuzeichnen);

// Tab 2: the "Handelsposten +35" button, the trade count of a trading post, shield and fortification.
void SUB_STERNSYSTEM_STATS(Rahmen& rahmen, Sternsysteme& systeme, int system, int Sternanzahl);

// The visit screen; "Kolonisieren" while a colony ship stands at the system.
void SUB_STERNSYSTEM_BESUCHT(Rahmen& rahmen, Sternsysteme& systeme, int system, int eigenerSpieler,
                             SchiffSatz& schiffe, int& kolonieschiff, int& gewaehltesSystem,
                             int& kartenNeuzeichnen);

// Makes system s the player's with the colony ship `schiff`, which is used up.
void kolonisieren(Sternsysteme& systeme, int s, int eigenerSpieler, SchiffSatz& schiffe, int schiff);

// The planet values a new colony starts with: maxima at their bases, the current values small.
void kolonieStartwerte(Sternsysteme& systeme, int s);

}  // namespace qz

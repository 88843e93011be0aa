// The reset routines: they bring the star systems, the ship lists with the build queues, one
// working set of ships and the multiplayer exchange state back to their empty form. Each runs
// under its own numbered report prefix.
#pragma once

#include "state/sendedaten.hpp"
#include "state/spielstand.hpp"

namespace qz {

// All 500 entries of the 26 system arrays to 0 and empty names, then the star-screen values.
void SUB_CLEAN_STERNSYSTEM(Sternsysteme& systeme, int& gewaehltesSystem, int& katalogOffen, int& systemTab,
                           int& flottenSeite, int& hangarSeite, int& hangarSchiff, int& hangarFlotte);

// The thirteen master lists to the empty text and the build queues of all 500 systems to 0.
void SUB_CLEAN_SCHIFFE(SchiffListen& listen, Feld2<int>& bauAufwand, Feld2<int>& bauFortschritt, Feld2<int>& bauTyp,
                       Feld<int>& bauAuftraege);

// One working set: count 0 and thirteen arrays without elements.
void SUB_CLEAN_ARRAY_SCHIFFE(SchiffSatz& satz);

// The multiplayer exchange state.
void SUB_CLEAN_SENDEN(Sendedaten& senden, Feld<std::string>& handelsArray);

// The three resets of a new or abandoned game, in their order, on the local player's lists,
// working set 1 and the star systems.
void spielZuruecksetzen(Spielstand& spiel);

}  // namespace qz

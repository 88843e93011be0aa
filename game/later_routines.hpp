// The routines of star-system management and fleets that the sandbox loop calls in their
// places: research, shipbuilding, hangar and repair, trade, the system screens, fleet
// movement, routes and docking. Each is declared once here with its parameters in the order
// of its routine; the implementations are swapped in as those screens are built, and until
// then a call leaves the state as it is.
//
// Screen routines take the frame (screen, pictures, pointer, Mausereignis, Tastencode) as
// their first parameter; parallel arrays of one concept are passed as their group
// (Sternsysteme, SchiffListen, SchiffSatz).
#pragma once

#include "frame/core/rahmen.hpp"
#include "game/spielstand.hpp"

#include <string>

namespace qz {

// Research: one day's points for topic `thema`; `kartenNeuzeichnen` is the scan overlay's
// rebuild flag (a new scanner level widens the circles).
void SUB_FORSCHUNG(int aktiv, int& stufe, int kosten, int& fortschritt, int aktiveThemen, int forschungspunkte,
                   int thema, int& kartenNeuzeichnen);

// One topic row r (1..4) of the research tab.
void SUB_STERNSYSTEM_FORSCHUNG(Rahmen& rahmen, int mausX, int mausY, int& Mausereignis, int& aktiv,
                               const std::string& name, int stufe, int kosten, int fortschritt, int& aktiveThemen,
                               int zeile);

// One day of work on the build queue of system i; finished ships are appended to the lists.
void SUB_SCHIFFBAU(int eigenerSpieler, int besitzer, SchiffListen& listen, int werft, Feld2<int>& bauAufwand,
                   Feld2<int>& bauFortschritt, Feld2<int>& bauTyp, int i, int& bauAuftraege);

// The shipbuilding tab of the opened system.
void SUB_STERNSYSTEM_SCHIFFBAU(Rahmen& rahmen, int& einwohner, int katalogOffen, int eigenerSpieler, int system,
                               int& geld, int mausX, int mausY, int& Mausereignis, Feld2<int>& bauAufwand,
                               Feld2<int>& bauFortschritt, Feld2<int>& bauTyp, int& bauAuftraege);

// The hangar tab of the opened system.
void SUB_STERNSYSTEM_HANGER(Rahmen& rahmen, int eigenerSpieler, int stufe9, int stufe10, int& abdockFlotte,
                            int& hoechsteFlotte, int& hangarSchiff, int& hangarFlotte, int& mausX, int& mausY,
                            int& Mausereignis, int& Tastencode, int& flottenSeite, int& hangarSeite,
                            SchiffSatz& schiffe, int Schiffanzahl, int system);

// Repair of one ship: levels of topics 9, 11, 10 and 12, then the ship's values as text.
void SUB_SCHIFFEREPARIEREN(int stufe9, int stufe11, int stufe10, int stufe12, const std::string& typ,
                           std::string& schild, std::string& huelle, const std::string& angedockt);

// Scanner discovery and the day's trade connections, appended to `handelsliste`.
void SUB_HANDELSABKOMMEN_BERECHNUNG(int eigenerSpieler, std::string& handelsliste, int stufe5, int stufe6,
                                    Feld<int>& entdecker, Feld<int>& besitzer, Feld2<int>& pos, Feld<int>& handel,
                                    Feld<int>& handelsposten, int N, int& handelNeuzeichnen);

// The own-system screen's frame, tabs 1 and 3 and the tab navigation.
void SUB_STERNSYSTEM_SELECT(Rahmen& rahmen, Sternsysteme& systeme, int system, int eigenerSpieler,
                            Kartenzustand& karte, int& forschungsetat, int& gewaehltesSystem,
                            int& kartenNeuzeichnen);

// Tab 2: statistics and the trading post.
void SUB_STERNSYSTEM_STATS(Rahmen& rahmen, Sternsysteme& systeme, int system, int Sternanzahl);

// The visit screen of a foreign system the player has reached; offers colonisation.
void SUB_STERNSYSTEM_BESUCHT(Rahmen& rahmen, Sternsysteme& systeme, int system, int eigenerSpieler,
                             SchiffSatz& schiffe, int& kolonieschiff, int& gewaehltesSystem,
                             int& kartenNeuzeichnen);

// One step of the route computation of the pending request.
void SUB_FLOTTEN_WEG_BERECHNUNG(int& status, int kartenBreite, int kartenHoehe, int& cx, int& cy, int tx, int ty,
                                std::string& route);

// The own fleets: drawing, selection, destination, movement and route requests.
void SUB_FLOTTEN(Rahmen& rahmen, Kartenzustand& karte, SchiffSatz& schiffe, Sternsysteme& systeme, Spieler& spieler,
                 const Forschung& forschung, int spielerNummer, int Schiffanzahl, int Sternanzahl,
                 int gewaehltesSystem, int mausX, int mausY, int scrollX, int scrollY);

// Composition of the selected fleet and the "Andocken" button.
void SUB_FLOTTE_ANDOCKEN(Rahmen& rahmen, Kartenzustand& karte, SchiffSatz& schiffe, Sternsysteme& systeme,
                         int Schiffanzahl, int mausX, int mausY, int eigenerSpieler);

}  // namespace qz

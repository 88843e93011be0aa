// The sandbox's own screens besides the map: its menu, the "Zum Hauptmenü?" confirmation and
// the new-game screen. Each has its input (run before the simulation) and its drawing.
#pragma once

#include "frame/rahmen.hpp"
#include "map/bildquellen.hpp"
#include "sandbox/speichermenue.hpp"
#include "state/spielstand.hpp"

namespace qz {

// "Spiel Laden" and "Spiel Speichern" open their slot screen in `speicher`.
void menueEingabe(Rahmen& rahmen, Spielstand& spiel, Speichermenue& speicher);
void menueZeichnen(Rahmen& rahmen, const Spielstand& spiel);

void bestaetigungEingabe(Rahmen& rahmen, Spielstand& spiel);
void bestaetigungZeichnen(Rahmen& rahmen);

void erstellenEingabe(Rahmen& rahmen, Spielstand& spiel, const Bildquellen& quellen);
void erstellenZeichnen(Rahmen& rahmen, Spielstand& spiel);

}  // namespace qz

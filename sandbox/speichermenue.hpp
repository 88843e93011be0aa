// The sandbox's "Spiel Laden" and "Spiel Speichern" screens on the menu panel: the three slots
// with what each holds, "Zurück", the "Überschreiben?" question before a used slot is saved
// over, and a line that tells how the last action went (red when it failed).
#pragma once

#include "frame/rahmen.hpp"
#include "map/bildquellen.hpp"
#include "sandbox/speicherplaetze.hpp"
#include "state/spielstand.hpp"

#include <array>
#include <string>

namespace qz {

struct Speichermenue {
    std::array<Platzinfo, kSpeicherplaetze> plaetze{};
    int frage = 0;  // slot whose "Überschreiben?" waits for "Ja" or "Nein"
    std::string meldung;
    Farbe meldungsFarbe = 0xFFFFFF;
};

// Opens the screen `unterzustand` ("laden" or "speichern") with the slots read afresh.
void speichermenueOeffnen(Rahmen& rahmen, Speichermenue& menue, const char* unterzustand);

void ladenEingabe(Rahmen& rahmen, Spielstand& spiel, const Bildquellen& quellen, Speichermenue& menue);
void speichernEingabe(Rahmen& rahmen, const Spielstand& spiel, Speichermenue& menue);
void speichermenueZeichnen(Rahmen& rahmen, const Speichermenue& menue);

}  // namespace qz

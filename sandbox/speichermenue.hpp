// The sandbox's "Spiel Laden" and "Spiel Speichern" screens on the menu panel: the three slots
// with what each holds, "Zurück", the "Überschreiben?" question before a used slot is saved
// over, and a line that tells how the last action went (red when it failed). The game is turned
// into bytes on the game's thread; writing and flushing them to the disk, which can take longer
// than a frame, runs on a thread of its own while the screen goes on drawing.
#pragma once

#include "frame/rahmen.hpp"
#include "map/bildquellen.hpp"
#include "sandbox/speicherplaetze.hpp"
#include "state/spielstand.hpp"

#include <array>
#include <future>
#include <string>

namespace qz {

struct Speichermenue {
    std::array<Platzinfo, kSpeicherplaetze> plaetze{};
    int frage = 0;  // slot whose "Überschreiben?" waits for "Ja" or "Nein"
    std::string meldung;
    Farbe meldungsFarbe = 0xFFFFFF;
    // The save on its way to the disk: its slot (0 = none) and whether it arrived. Dropping the
    // menu waits for it, so leaving the screen or the program never cuts a save short.
    int schreibt = 0;
    std::future<bool> geschrieben;
};

// Opens the screen `unterzustand` ("laden" or "speichern") with the slots read afresh.
void speichermenueOeffnen(Rahmen& rahmen, Speichermenue& menue, const char* unterzustand);

void ladenEingabe(Rahmen& rahmen, Spielstand& spiel, const Bildquellen& quellen, Speichermenue& menue);
void speichernEingabe(Rahmen& rahmen, const Spielstand& spiel, Speichermenue& menue);
void speichermenueZeichnen(Rahmen& rahmen, const Speichermenue& menue);

}  // namespace qz

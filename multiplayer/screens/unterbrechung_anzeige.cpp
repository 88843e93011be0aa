#include "multiplayer/screens/unterbrechung_anzeige.hpp"

#include "multiplayer/play/verbindung_unterbrochen.hpp"

namespace qz {

void unterbrechungZeichnen(Rahmen& rahmen, const Mehrspieler& mp)
{
    if (!verbindungUnterbrochen(mp, rahmen.platform.timer())) return;
    filledBox(rahmen.screen(), 312, 364, 712, 404, 0xFF101820);
    box(rahmen.screen(), 312, 364, 712, 404, 0xFF4A6A8A);
    rahmen.textMittig(512, 376, kVerbindungUnterbrochen);
}

}  // namespace qz

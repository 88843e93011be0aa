#include "multiplayer/screens/unterbrechung_anzeige.hpp"

#include "multiplayer/play/verbindung_unterbrochen.hpp"

#include <algorithm>

namespace qz {

void unterbrechungZeichnen(Rahmen& rahmen, const Mehrspieler& mp)
{
    if (!verbindungUnterbrochen(mp, rahmen.platform.timer())) return;
    // The notice's frame is 400 pixels wide, wider for a longer translation.
    const Text& hinweis = tr(kVerbindungUnterbrochen);
    const int halb = std::max(200, textBreite(hinweis) / 2 + 12);
    filledBox(rahmen.screen(), 512 - halb, 364, 512 + halb, 404, 0xFF101820);
    box(rahmen.screen(), 512 - halb, 364, 512 + halb, 404, 0xFF4A6A8A);
    rahmen.textMittig(512, 376, hinweis);
}

}  // namespace qz

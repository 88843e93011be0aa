#include "multiplayer/screens/meldung_anzeige.hpp"

namespace qz {

void meldungZeichnen(Rahmen& rahmen, const Mehrspieler& mp, int y)
{
    if (mp.meldung.empty() || rahmen.platform.timer() >= mp.meldungBis) return;
    rahmen.textMittig(512, y, Text{mp.meldung}, 0xFF0000);
}

}  // namespace qz

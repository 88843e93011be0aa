#include "multiplayer/verbindung_unterbrochen.hpp"

namespace qz {

void anfrageGestellt(Mehrspieler& mp, double jetzt)
{
    if (mp.ohneAntwortSeit < 0.0) mp.ohneAntwortSeit = jetzt;
}

void antwortErhalten(Mehrspieler& mp) { mp.ohneAntwortSeit = -1.0; }

bool verbindungUnterbrochen(const Mehrspieler& mp, double jetzt)
{
    return mp.ohneAntwortSeit >= 0.0 && jetzt - mp.ohneAntwortSeit >= kStilleBisHinweis;
}

void unterbrechungZeichnen(Rahmen& rahmen, const Mehrspieler& mp)
{
    if (!verbindungUnterbrochen(mp, rahmen.platform.timer())) return;
    filledBox(rahmen.screen(), 312, 364, 712, 404, 0xFF101820);
    box(rahmen.screen(), 312, 364, 712, 404, 0xFF4A6A8A);
    rahmen.textMittig(512, 376, kVerbindungUnterbrochen);
}

}  // namespace qz

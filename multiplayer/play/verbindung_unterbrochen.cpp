#include "multiplayer/play/verbindung_unterbrochen.hpp"

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

}  // namespace qz

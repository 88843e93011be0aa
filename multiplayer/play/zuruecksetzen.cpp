#include "multiplayer/play/zuruecksetzen.hpp"

#include "map/reset_routinen.hpp"
#include "map/spielstart.hpp"

namespace qz {

void mehrspielerZuruecksetzen(Rahmen& rahmen, Spielstand& spiel, Mehrspieler& mp)
{
    spielVerwerfen(rahmen, spiel);
    for (int p = 1; p <= 4; ++p) {
        SUB_CLEAN_ARRAY_SCHIFFE(spiel.saetze(p));
        spiel.spieler.hoechsteFlotte(p) = 0;
        spiel.spieler.spielerFarbe(p, 0) = 0;
    }
    spiel.gewaehltesSystem = 0;
    spiel.karte.angriffsziel.clear();
    spiel.karte.angriffsschaden.clear();
    mp.kanalZuruecksetzen();
    SUB_CLEAN_SENDEN(mp.senden, spiel.karte.handelsArray);
}

}  // namespace qz

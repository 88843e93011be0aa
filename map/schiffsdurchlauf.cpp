#include "map/schiffsdurchlauf.hpp"

#include "systems/hangar.hpp"

namespace qz {

void schiffsdurchlauf(Spielstand& spiel)
{
    const int p = spiel.eigenerSpieler;
    SchiffSatz& satz = spiel.saetze(p);
    const Forschung& f = spiel.forschung;
    Kartenzustand& k = spiel.karte;
    const int abdocken = k.abdockFlotte;
    for (int i = 1; i <= satz.anzahl; ++i) {
        SUB_SCHIFFEREPARIEREN(f.thema(9).stufe, f.thema(11).stufe, f.thema(10).stufe, f.thema(12).stufe,
                              satz[kTyp](i), satz[kSchild](i), satz[kHuelle](i), satz[kAngedockt](i));
        if (abdocken == 0 || satz.wert(kFlotte, i) != abdocken) continue;
        // Only ships still in a hangar leave it; a ship of the fleet already in space stays put.
        const int hangar = satz.wert(kAngedockt, i);
        if (hangar < 1) continue;
        const int x = spiel.spieler.parkOffset(p, 1) + spiel.systeme.pos(hangar, 1) - 16;
        const int y = spiel.spieler.parkOffset(p, 2) + spiel.systeme.pos(hangar, 2) - 16;
        satz.setze(kX, i, x);
        satz.setze(kZielX, i, x);
        satz.setze(kY, i, y);
        satz.setze(kZielY, i, y);
        satz.setze(kOrt, i, hangar);
        satz[kAngedockt](i) = "0";
    }
    k.abdockFlotte = 0;
}

}  // namespace qz

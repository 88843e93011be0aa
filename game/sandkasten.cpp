#include "game/sandkasten.hpp"

#include "frame/core/klang.hpp"

namespace qz {

void sandkastenScreen(Rahmen& rahmen, Spielstand&)
{
    rahmen.platform.screenLock();
    clear(rahmen.screen());
    rahmen.zeichne(rahmen.Oberflaechenbild(11), 434, 218);
    rahmen.textMittig(512, 224, "Zur\x81" "ck");
    rahmen.platform.screenUnlock();
    if (rahmen.Mausereignis == 1 && inBox(rahmen.MausX, rahmen.MausY, 434, 590, 218, 243)) {
        rahmen.Programmzustand = "hauptmenu";
        rahmen.Unterzustand.clear();
        rahmen.Mausereignis = 0;
        playClick(rahmen);
    }
}

}  // namespace qz

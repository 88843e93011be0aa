#include "sandbox/sandkasten.hpp"

#include "frame/klang.hpp"
#include "sandbox/sandkasten_menues.hpp"
#include "sandbox/sandkasten_simulation.hpp"
#include "map/sternkarte_ansicht.hpp"

namespace qz {

void sandkastenScreen(Rahmen& r, Spielstand& spiel, const Bildquellen& quellen, Speichermenue& speicher)
{
    if (r.platform.keyDown(scan::Escape) && r.Unterzustand.empty()) r.Unterzustand = "hauptmenu";
    // Without a game there is no map to show: the menu stands in for it.
    if (r.Unterzustand.empty() && spiel.spielLaeuft != 1) r.Unterzustand = "hauptmenu";

    if (r.Unterzustand == "esc") bestaetigungEingabe(r, spiel);
    else if (r.Unterzustand == "hauptmenu") menueEingabe(r, spiel, speicher);
    else if (r.Unterzustand == "laden") ladenEingabe(r, spiel, quellen, speicher);
    else if (r.Unterzustand == "speichern") speichernEingabe(r, spiel, speicher);
    else if (r.Unterzustand == "erstellen") erstellenEingabe(r, spiel, quellen);

    if (r.Programmzustand != "sandkasten") {
        // "Ja" left the mode; the main menu draws the next frame.
        if (r.Mausereignis == 1 || r.Mausereignis == 2) r.Mausereignis = 0;
        return;
    }

    if (r.Unterzustand == "option") {
        // The shared options screen draws itself and handles its own clicks.
        optionsScreen(r, "sandkasten", "hauptmenu");
    } else {
        if (r.Unterzustand.empty()) simulationsschritt(r, spiel);
        r.platform.screenLock();
        clear(r.screen());
        if (r.Unterzustand.empty()) karteZeichnen(r, spiel);
        else if (r.Unterzustand == "hauptmenu") menueZeichnen(r, spiel);
        else if (r.Unterzustand == "esc") bestaetigungZeichnen(r);
        else if (r.Unterzustand == "erstellen") erstellenZeichnen(r, spiel);
        else if (r.Unterzustand == "laden" || r.Unterzustand == "speichern") speichermenueZeichnen(r, speicher);
        r.platform.screenUnlock();
    }
    if (r.Mausereignis == 1 || r.Mausereignis == 2) r.Mausereignis = 0;
}

}  // namespace qz

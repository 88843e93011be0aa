#include "multiplayer/screens/multiplayer_screen.hpp"

#include "frame/klang.hpp"
#include "multiplayer/play/mp_simulation.hpp"
#include "multiplayer/screens/mp_screens.hpp"

namespace qz {

void multiplayerScreen(Rahmen& r, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp, const Bildquellen& quellen)
{
    const std::string& u = r.Unterzustand;
    if (!u.empty()) mehrspielerHintergrund(r, spiel, server, mp);
    if (u == "login") loginScreen(r, server, mp);
    else if (u == "hauptmenu") mehrspielerMenue(r, spiel, server, mp);
    else if (u == "esc") verlassenDialog(r, spiel, mp);
    else if (u == "neu") neuesSpielDialog(r, spiel, mp);
    else if (u == "computer") gegenComputerScreen(r, spiel, server, mp);
    else if (u == "erstellen") kanalErstellenScreen(r, spiel, mp);
    else if (u == "channel_auflisten") kanalListeScreen(r, spiel, server, mp);
    else if (u == "zuschauen") zuschauenScreen(r, server, mp, quellen);
    else if (u == "channel") lobbyScreen(r, spiel, server, mp, quellen);
    else if (u == "aufzeichnungen") aufzeichnungenScreen(r, server, mp, quellen);
    else if (u == "aufzeichnung") aufzeichnungScreen(r, mp);
    else if (u == "option") optionsScreen(r, "multiplayer", "hauptmenu");
    else if (u.empty() && spiel.spielLaeuft == 1) mehrspielerSpiel(r, spiel, server, mp);
    else r.Unterzustand = "hauptmenu";
}

void mehrspielerHintergrund(Rahmen& r, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp)
{
    if (r.Programmzustand != "multiplayer" || spiel.spielLaeuft != 1) return;
    if (mehrspielerSchritt(r.platform, spiel, server, mp) == AustauschErgebnis::sitzungVerloren)
        spielVerloren(r, spiel, mp);
}

}  // namespace qz

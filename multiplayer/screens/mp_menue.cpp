// The multiplayer menu, its leave confirmation and the one before "Neues Spiel" ends a running game.
#include "multiplayer/screens/meldung_anzeige.hpp"
#include "map/spielstart.hpp"
#include "multiplayer/exchange/server_exchange.hpp"
#include "multiplayer/session/meldung.hpp"
#include "multiplayer/screens/mp_screens.hpp"
#include "multiplayer/screens/mp_widgets.hpp"
#include "multiplayer/play/zuruecksetzen.hpp"
#include "multiplayer/exchange/aufzeichnungen_austausch.hpp"
#include "multiplayer/exchange/lobby_anfragen.hpp"
#include "multiplayer/exchange/spiel_anfrage.hpp"

namespace qz {

namespace {

// "Neues Spiel": the running game (if any) ends, and a new channel is set up.
void neuesSpiel(Rahmen& r, Spielstand& spiel, Mehrspieler& mp)
{
    mehrspielerZuruecksetzen(r, spiel, mp);
    r.Unterzustand = "erstellen";
    spiel.eigenerSpieler = 1;
    spiel.spielLaeuft = 0;
    spiel.Spieleranzahl = 4;
    spiel.hintergrund = 1;
    spiel.Sternanzahl = 200;
    mp.SterneAngesagt = 200;
}

// A confirmation: the question on the wide button, "Ja" and "Nein" below it; "Nein" goes back
// to the menu. True when "Ja" was clicked.
bool bestaetigt(Rahmen& r, const Text& frage)
{
    const bool ja = kleinerKnopfKlick(r, 382, 272, tr("Ja"));
    if (!ja && kleinerKnopfKlick(r, 522, 272, tr("Nein"))) r.Unterzustand = "hauptmenu";
    r.platform.screenLock();
    clear(r.screen());
    r.zeichne(r.Oberflaechenbild(19), 312, 184);
    menueKnopf(r, 218, frage);
    kleinerKnopf(r, 382, 272, tr("Ja"));
    kleinerKnopf(r, 522, 272, tr("Nein"));
    r.platform.screenUnlock();
    if (r.Mausereignis == 1 || r.Mausereignis == 2) r.Mausereignis = 0;
    return ja;
}

}  // namespace

void mehrspielerMenue(Rahmen& r, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp)
{
    const bool laeuft = spiel.spielLaeuft == 1;
    if (knopfKlick(r, 218, tr("Neues Spiel"))) {
        // A running game is not thrown away by one click: the others play on in it.
        if (laeuft) r.Unterzustand = "neu";
        else neuesSpiel(r, spiel, mp);
    } else if (knopfKlick(r, 272, tr("Spiel Laden"))) {
        // "Spiel Laden": games are not saved; the click is only consumed.
    } else if (!laeuft && knopfKlick(r, 326, tr("Serverliste"))) {
        mehrspielerZuruecksetzen(r, spiel, mp);
        r.Unterzustand = "channel_auflisten";
        spiel.eigenerSpieler = 0;
        spiel.spielLaeuft = 0;
        spiel.Spieleranzahl = 0;
        spiel.hintergrund = 0;
        spiel.Sternanzahl = 0;
        kanalListeAnfordern(r, server, mp.LoginName);
    } else if (laeuft && knopfKlick(r, 326, tr("Spiel Speichern"))) {
        // "Spiel Speichern": nothing to do.
    } else if (!laeuft && knopfKlick(r, 380, tr("Aufzeichnungen"))) {
        r.Unterzustand = "aufzeichnungen";
        mp.aufzeichnungSeite = 1;
        aufzeichnungenAnfordern(server, mp.LoginName);
    } else if (!laeuft && knopfKlick(r, 434, tr("Zum Hauptmen\x81"))) {
        r.Unterzustand = "esc";
    } else if (laeuft && knopfKlick(r, 380, tr("Option"))) {
        r.Unterzustand = "option";
    } else if (laeuft && knopfKlick(r, 434, tr("Zum Spiel"))) {
        r.Unterzustand.clear();
    } else if (laeuft && knopfKlick(r, 488, tr("Spiel Beenden"))) {
        r.Unterzustand = "esc";
    }

    r.platform.screenLock();
    clear(r.screen());
    r.zeichne(r.Oberflaechenbild(19), 312, 184);
    menueKnopf(r, 218, tr("Neues Spiel"));
    menueKnopf(r, 272, tr("Spiel Laden"));
    if (laeuft) {
        menueKnopf(r, 326, tr("Spiel Speichern"));
        menueKnopf(r, 380, tr("Option"));
        menueKnopf(r, 434, tr("Zum Spiel"));
        menueKnopf(r, 488, tr("Spiel Beenden"));
    } else {
        menueKnopf(r, 326, tr("Serverliste"));
        menueKnopf(r, 380, tr("Aufzeichnungen"));
        menueKnopf(r, 434, tr("Zum Hauptmen\x81"));
    }
    meldungZeichnen(r, mp, kMeldungMenueY);
    r.platform.screenUnlock();
    if (r.Mausereignis == 1 || r.Mausereignis == 2) r.Mausereignis = 0;
}

void verlassenDialog(Rahmen& r, Spielstand& spiel, Mehrspieler& mp)
{
    if (!bestaetigt(r, tr("Zum Hauptmen\x81?"))) return;
    r.Programmzustand = "hauptmenu";
    r.Unterzustand.clear();
    spiel.spielLaeuft = 0;
    mehrspielerZuruecksetzen(r, spiel, mp);
}

void neuesSpielDialog(Rahmen& r, Spielstand& spiel, Mehrspieler& mp)
{
    if (bestaetigt(r, tr("Spiel Beenden?"))) neuesSpiel(r, spiel, mp);
}

}  // namespace qz

// The running multiplayer game, one frame: the input, the day step and ships, the map pictures,
// the exchange with the server (mp_simulation), and the frame with the fleets of all players
// (moved while they are drawn), the system screens, the chat and the notice of a silent server.
#include "multiplayer/play/zuruecksetzen.hpp"
#include "multiplayer/screens/unterbrechung_anzeige.hpp"
#include "multiplayer/screens/meldung_anzeige.hpp"
#include "map/karten_overlays.hpp"
#include "map/karten_takt.hpp"
#include "map/sternkarte_ansicht.hpp"
#include "multiplayer/screens/chat.hpp"
#include "multiplayer/session/meldung.hpp"
#include "multiplayer/screens/mp_karte.hpp"
#include "multiplayer/screens/mp_screens.hpp"
#include "multiplayer/play/mp_simulation.hpp"
#include "multiplayer/play/verbindung_unterbrochen.hpp"

namespace qz {

void spielVerloren(Rahmen& r, Spielstand& spiel, Mehrspieler& mp)
{
    // The server no longer knows the game: playing on alone would only pretend.
    mehrspielerZuruecksetzen(r, spiel, mp);
    spiel.spielLaeuft = 0;
    r.Unterzustand = "hauptmenu";
    meldungZeigen(mp, tr("Verbindung zum Spiel verloren"), r.platform.timer());
}

void mehrspielerSpiel(Rahmen& r, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp)
{
    Platform& platform = r.platform;
    Kartenzustand& k = spiel.karte;
    if (platform.keyDown(scan::Escape)) {
        r.Unterzustand = "hauptmenu";
        return;
    }
    chatEingabe(r, mp, flottenleisteGezeigt(spiel));

    if (mp.chatFokus != kChatFokus && spiel.gewaehltesSystem < 1)
        scrollSchritte(r, spiel, spiel.hintergrundGroesse(1, 1), spiel.hintergrundGroesse(1, 2));
    mpTagUndSchiffe(platform, spiel, mp);

    if (mp.kartenNeuzeichnen == 1 || k.scanNeuzeichnen == 1 || !k.scanOverlay) {
        mp.kartenNeuzeichnen = 0;
        scanOverlayNeu(spiel);
    }
    if (mp.handelNeuzeichnen != 0 || !k.handelOverlay) handelswegeNeu(spiel, mp);

    if (mpAustausch(platform, spiel, server, mp) == AustauschErgebnis::sitzungVerloren) {
        spielVerloren(r, spiel, mp);
        return;
    }

    // The frame moves the fleets (mpFlottenBewegen's steps) between drawing and picking them.
    platform.screenLock();
    clear(r.screen());
    mehrspielerKarteZeichnen(r, spiel, mp);
    meldungZeichnen(r, mp, kMeldungKarteY);
    unterbrechungZeichnen(r, mp);
    platform.screenUnlock();
    if (r.Mausereignis == 1 || r.Mausereignis == 2) r.Mausereignis = 0;
}

}  // namespace qz

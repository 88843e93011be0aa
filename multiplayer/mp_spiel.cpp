// The running multiplayer game, one frame: scrolling, the day step, ships, the map pictures,
// the route computation, the server's reply, the 2-second exchange, and the frame with the
// fleets of all players, the system screens and the chat.
#include "map/karten_overlays.hpp"
#include "map/karten_takt.hpp"
#include "map/schiffsdurchlauf.hpp"
#include "map/sternkarte_ansicht.hpp"
#include "multiplayer/server_exchange.hpp"
#include "multiplayer/chat.hpp"
#include "multiplayer/meldung.hpp"
#include "multiplayer/mp_karte.hpp"
#include "multiplayer/mp_screens.hpp"
#include "multiplayer/mp_tag.hpp"
#include "multiplayer/spiel_anfrage.hpp"
#include "multiplayer/spiel_antwort.hpp"

namespace qz {

void mehrspielerSpiel(Rahmen& r, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp)
{
    Platform& platform = r.platform;
    Kartenzustand& k = spiel.karte;
    if (platform.keyDown(scan::Escape)) {
        r.Unterzustand = "hauptmenu";
        return;
    }
    chatEingabe(r, mp);

    if (mp.chatFokus != kChatFokus && spiel.gewaehltesSystem < 1)
        scrollSchritte(r, spiel, spiel.hintergrundGroesse(1, 1), spiel.hintergrundGroesse(1, 2));
    if (platform.timer() >= spiel.wirtschaft.naechsterTag) mehrspielerTag(spiel, mp, platform.timer());

    schiffsdurchlauf(spiel);

    if (mp.kartenNeuzeichnen == 1 || k.scanNeuzeichnen == 1 || !k.scanOverlay) {
        mp.kartenNeuzeichnen = 0;
        scanOverlayNeu(spiel);
    }
    if (mp.handelNeuzeichnen != 0 || !k.handelOverlay) handelswegeNeu(spiel, mp);

    routenSchritte(platform, k);

    const std::string antwort = takeReply(server);
    const std::string fehler = fehlerMelden(antwort, mp, platform.timer());
    if (fehler == kUnbekannteSitzung) {
        // The server no longer knows the game: playing on alone would only pretend.
        mehrspielerZuruecksetzen(r, spiel, mp);
        spiel.spielLaeuft = 0;
        r.Unterzustand = "hauptmenu";
        meldungZeigen(mp, "Verbindung zum Spiel verloren", platform.timer());
        return;
    }
    // A refusal carries no game state; applied, it would empty the co-players' fleets.
    if (!antwort.empty() && fehler.empty()) spielAntwortAnwenden(antwort, spiel, mp);
    eigeneSchiffeAbgleichen(spiel);

    if (platform.timer() >= mp.naechsterAustausch) {
        mp.naechsterAustausch = platform.timer() + 2.0;
        postRequest(server, [&](Feld<KVP>& get, Feld<KVP>& post) { spielAnfrageSchreiben(get, post, spiel, mp); });
    }

    platform.screenLock();
    clear(r.screen());
    mehrspielerKarteZeichnen(r, spiel, mp);
    meldungZeichnen(r, mp, kMeldungKarteY);
    platform.screenUnlock();
    if (r.Mausereignis == 1 || r.Mausereignis == 2) r.Mausereignis = 0;
}

}  // namespace qz

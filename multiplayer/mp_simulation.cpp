#include "multiplayer/mp_simulation.hpp"

#include "fleets/co_player_fleets.hpp"
#include "fleets/flotten_bewegung.hpp"
#include "map/karten_takt.hpp"
#include "map/schiffsdurchlauf.hpp"
#include "multiplayer/meldung.hpp"
#include "multiplayer/mp_tag.hpp"
#include "multiplayer/server_exchange.hpp"
#include "multiplayer/spiel_anfrage.hpp"
#include "multiplayer/spiel_antwort.hpp"
#include "multiplayer/verbindung_unterbrochen.hpp"

namespace qz {

void mpTagUndSchiffe(Platform& platform, Spielstand& spiel, Mehrspieler& mp)
{
    if (platform.timer() >= spiel.wirtschaft.naechsterTag) mehrspielerTag(spiel, mp, platform.timer());
    schiffsdurchlauf(spiel);
}

AustauschErgebnis mpAustausch(Platform& platform, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp,
                              std::string* angewandt)
{
    routenSchritte(platform, spiel.karte);

    const std::string antwort = takeReply(server);
    if (!antwort.empty()) {
        anfrageAngekommen(mp);
        antwortErhalten(mp);
    }
    const std::string fehler = fehlerMelden(antwort, mp, platform.timer());
    if (fehler == kUnbekannteSitzung) return AustauschErgebnis::sitzungVerloren;
    // A refusal carries no game state; applied, it would empty the co-players' fleets.
    const bool anwenden = !antwort.empty() && fehler.empty();
    if (anwenden) spielAntwortAnwenden(antwort, spiel, mp);
    if (angewandt) *angewandt = anwenden ? antwort : std::string();
    eigeneSchiffeAbgleichen(spiel);

    if (platform.timer() >= mp.naechsterAustausch) {
        mp.naechsterAustausch = platform.timer() + 2.0;
        // Only after its reply was taken: whether the request before this one arrived decides
        // what this one carries again.
        if (postRequestAfterReply(server,
                                  [&](Feld<KVP>& get, Feld<KVP>& post) { spielAnfrageSchreiben(get, post, spiel, mp); }))
            anfrageGestellt(mp, platform.timer());
    }
    return AustauschErgebnis::weiter;
}

void mpFlottenBewegen(Platform& platform, Spielstand& spiel, Mehrspieler& mp)
{
    const int eigen = spiel.eigenerSpieler;
    SchiffSatz& satz = spiel.saetze(eigen);
    flottenBewegen(spiel.karte, satz, spiel.systeme, spiel.spieler, eigen, satz.anzahl, spiel.Sternanzahl,
                   spiel.gewaehltesSystem, platform.timer());
    mitspielerFlottenBewegen(spiel.saetze, spiel.spieler, mp.naechsterFlugschritt, eigen, spiel.Spieleranzahl,
                             platform.timer());
}

AustauschErgebnis mehrspielerSchritt(Platform& platform, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp,
                                     std::string* angewandt)
{
    mpTagUndSchiffe(platform, spiel, mp);
    if (mpAustausch(platform, spiel, server, mp, angewandt) == AustauschErgebnis::sitzungVerloren)
        return AustauschErgebnis::sitzungVerloren;
    mpFlottenBewegen(platform, spiel, mp);
    return AustauschErgebnis::weiter;
}

}  // namespace qz

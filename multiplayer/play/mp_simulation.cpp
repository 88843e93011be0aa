#include "multiplayer/play/mp_simulation.hpp"

#include "fleets/co_player_fleets.hpp"
#include "fleets/flotten_bewegung.hpp"
#include "map/karten_takt.hpp"
#include "map/schiffsdurchlauf.hpp"
#include "multiplayer/play/eigener_teil.hpp"
#include "multiplayer/session/meldung.hpp"
#include "multiplayer/play/mp_tag.hpp"
#include "multiplayer/exchange/server_exchange.hpp"
#include "multiplayer/exchange/spiel_anfrage.hpp"
#include "multiplayer/exchange/spiel_antwort.hpp"
#include "multiplayer/exchange/tagged_records.hpp"
#include "multiplayer/play/verbindung_unterbrochen.hpp"
#include "net/server_address.hpp"
#include "state/eigener_spielstand.hpp"

#include <chrono>
#include <mutex>

namespace qz {

namespace {

std::int64_t sekundenSeit1970()
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The local copy of the own part for this server, channel and login.
std::filesystem::path kopieFuer(Serverdaten& server, const Mehrspieler& mp)
{
    ServerAddress adresse;
    {
        std::lock_guard lock(server.Datenmutex);
        adresse = server.Serveradresse;
    }
    return eigeneKopie(serverAddressText(adresse), mp.senden.SessionId, mp.LoginName);
}

}  // namespace

void mpTagUndSchiffe(Platform& platform, Spielstand& spiel, Mehrspieler& mp)
{
    // Back in a running game, the first day waits for what the player had.
    if (!mp.eigenerTeilHolen && platform.timer() >= spiel.wirtschaft.naechsterTag) {
        mehrspielerTag(spiel, mp, platform.timer());
        // A request still on its way carries the day before: its reply must not end this one.
        mp.eigenerTeil = eigenenTeilSchreiben(spiel, mp.senden.abkommenStand, sekundenSeit1970());
        mp.teilUnterwegs = false;
        mp.teilKopiert = false;
    }
    schiffsdurchlauf(spiel);
}

AustauschErgebnis mpAustausch(Platform& platform, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp,
                              std::string* angewandt)
{
    routenSchritte(platform, spiel.karte);

    const std::string antwort = takeReply(server);
    if (!antwort.empty()) antwortErhalten(mp);
    const std::string fehler = fehlerMelden(antwort, mp, platform.timer());
    if (fehler == kUnbekannteSitzung) return AustauschErgebnis::sitzungVerloren;
    // The server takes a refused request back whole: what it carried goes out again.
    if (!antwort.empty() && fehler.empty()) anfrageAngekommen(mp);
    // A refusal carries no game state; applied, it would empty the co-players' fleets. While a
    // rejoined game waits for the own part, only the reply to the request that asked for it
    // counts: one still on its way from the lobby holds neither it nor the own ships.
    const bool anwenden = !antwort.empty() && fehler.empty() && (!mp.eigenerTeilHolen || mp.holenGesendet);
    if (anwenden) spielAntwortAnwenden(antwort, spiel, mp);
    std::string voll;
    if (anwenden && recordLesen(antwort, "privatvoll", voll)) meldungZeigen(mp, tr(kTeilNichtGesichert), platform.timer());
    if (anwenden && mp.eigenerTeilHolen) {
        wiedereinstiegAnwenden(antwort, spiel, mp, kopieFuer(server, mp));
        mp.eigenerTeilHolen = false;
        mp.holenGesendet = false;
        spiel.wirtschaft.naechsterTag = platform.timer() + 5.0;
    }
    if (angewandt) *angewandt = anwenden ? antwort : std::string();
    eigeneSchiffeAbgleichen(spiel);

    if (platform.timer() >= mp.naechsterAustausch) {
        mp.naechsterAustausch = platform.timer() + 2.0;
        // Only after its reply was taken: whether the request before this one arrived decides
        // what this one carries again.
        if (mp.eigenerTeilHolen) {
            if (postRequestAfterReply(server,
                                      [&](Feld<KVP>& get, Feld<KVP>& post) { wiedereinstiegAnfrageSchreiben(get, post, mp); })) {
                mp.holenGesendet = true;
                anfrageGestellt(mp, platform.timer());
            }
        } else if (postRequestAfterReply(
                       server, [&](Feld<KVP>& get, Feld<KVP>& post) { spielAnfrageSchreiben(get, post, spiel, mp); })) {
            anfrageGestellt(mp, platform.timer());
            if (mp.teilUnterwegs && !mp.teilKopiert) {
                eigeneKopieSchreiben(mp, kopieFuer(server, mp), mp.eigenerTeil);
                mp.teilKopiert = true;
            }
        }
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

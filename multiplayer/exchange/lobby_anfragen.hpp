// The login, and the lobby's requests: channel creation by the host, the star-map upload after "Spiel
// Starten", the lobby poll of a seated player and the join poll of a player without a slot.
// Each writes the pair tables; the caller holds Datenmutex and found no request pending.
#pragma once

#include "frame/rahmen.hpp"
#include "state/spielstand.hpp"
#include "multiplayer/session/mehrspieler.hpp"
#include "multiplayer/exchange/server_worker.hpp"

namespace qz {

// "login" with "i1" = name and "i2" = the password's digest: the login screen's, the game
// against the computer's and the computer player's own.
void anmeldungSchreiben(Feld<KVP>& GetKVP, Feld<KVP>& PostKVP, const std::string& name, const std::string& passwort);

void kanalErstellenSchreiben(Feld<KVP>& GetKVP, Feld<KVP>& PostKVP, const Spielstand& spiel, const Mehrspieler& mp,
                             const std::string& version);

// "i1" = "42", the lobby keys and the star-map lists of systems 1..Sternanzahl.
void sternkarteHochladenSchreiben(Feld<KVP>& GetKVP, Feld<KVP>& PostKVP, const Spielstand& spiel,
                                  const Mehrspieler& mp);

void lobbyAbfrageSchreiben(Feld<KVP>& GetKVP, Feld<KVP>& PostKVP, const Spielstand& spiel, const Mehrspieler& mp);

void beitrittsAbfrageSchreiben(Feld<KVP>& GetKVP, Feld<KVP>& PostKVP, const Mehrspieler& mp);

// One list over systems 1..N: "," + value for each.
std::string systemListe(const Feld<int>& werte, int N);

// Posts "channel_auflisten" with the program version.
bool kanalListeAnfordern(Rahmen& rahmen, Serverdaten& server, const std::string& loginName);

}  // namespace qz

// The in-game request "spiel": the own player's state and pending actions, written into the
// pair tables every 2 s. The caller holds Datenmutex and has found no request pending.
#pragma once

#include "state/spielstand.hpp"
#include "multiplayer/session/mehrspieler.hpp"
#include "multiplayer/exchange/server_worker.hpp"

namespace qz {

// Sets an entry of a pair table; an empty key clears it (a pair with an empty key is not sent).
void setzePaar(Feld<KVP>& tabelle, int eintrag, const std::string& key, const std::string& value);

// Writes every entry of the request. The pending agreement values become the stored ones;
// the waiting chat line, the day's planet reports and the own part of the last day are sent
// with every request until anfrageAngekommen.
void spielAnfrageSchreiben(Feld<KVP>& GetKVP, Feld<KVP>& PostKVP, Spielstand& spiel, Mehrspieler& mp);

// The server took the last request (its reply came and was no refusal): what it carried is done.
void anfrageAngekommen(Mehrspieler& mp);

}  // namespace qz

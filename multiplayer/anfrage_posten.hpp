// The two hand-overs with the request worker: posting a request into the pair tables and
// taking the reply. Both hold Datenmutex only for a few string operations.
#pragma once

#include "multiplayer/server_worker.hpp"

#include <string>

namespace qz {

// Gives up (false) while a request is pending; otherwise lets `schreiben(GetKVP, PostKVP)`
// fill the tables, marks the request pending and wakes the worker.
template <class Schreiben>
bool anfragePosten(Serverdaten& daten, Schreiben&& schreiben)
{
    std::lock_guard lock(daten.Datenmutex);
    if (daten.Anfrageoffen == 1) return false;
    schreiben(daten.GetKVP, daten.PostKVP);
    daten.Anfrageoffen = 1;
    daten.Datenbedingung.notify_one();
    return true;
}

// Moves a waiting reply into `antwort` and empties Empfangsdaten; false when none waits.
bool antwortHolen(Serverdaten& daten, std::string& antwort);

// True while a request is pending.
bool anfrageOffen(Serverdaten& daten);

}  // namespace qz

#include "multiplayer/anfrage_posten.hpp"

namespace qz {

bool antwortHolen(Serverdaten& daten, std::string& antwort)
{
    std::lock_guard lock(daten.Datenmutex);
    if (daten.Empfangsdaten.empty()) return false;
    antwort = std::move(daten.Empfangsdaten);
    daten.Empfangsdaten.clear();
    return true;
}

bool anfrageOffen(Serverdaten& daten)
{
    std::lock_guard lock(daten.Datenmutex);
    return daten.Anfrageoffen == 1;
}

}  // namespace qz

#include "multiplayer/server_worker.hpp"

namespace qz {

std::string cutReply(const std::string& raw)
{
    auto start = raw.find("CODE:");
    if (start == std::string::npos) return {};
    start += 5;
    auto end = raw.find(":EDOC", start);
    if (end == std::string::npos) return {};
    return raw.substr(start, end - start);
}

void THREAD1(Serverdaten& daten, const RoundTrip& roundTrip)
{
    bool senden = false;
    std::unique_lock lock(daten.Datenmutex, std::defer_lock);
    for (;;) {
        if (senden) {
            // The pair tables are copied under the lock: the main thread may write them as soon
            // as it sees the worker awake, so reading them unlocked would race.
            lock.lock();
            Feld<KVP> getKvp = daten.GetKVP;
            Feld<KVP> postKvp = daten.PostKVP;
            lock.unlock();
            std::string raw = roundTrip ? roundTrip(getKvp, postKvp) : std::string{};
            lock.lock();
            daten.Antwortpuffer = std::move(raw);
            daten.Empfangsdaten = cutReply(daten.Antwortpuffer);
            senden = false;
            daten.Anfrageoffen = 0;
            lock.unlock();
        }
        lock.lock();
        if (daten.ThreadEnde == 1) return;
        daten.Anfragezaehler += 1;
        senden = true;
        daten.Datenbedingung.wait(lock);
        if (daten.ThreadEnde == 1) return;
        lock.unlock();
    }
}

}  // namespace qz

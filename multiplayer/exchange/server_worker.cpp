#include "multiplayer/exchange/server_worker.hpp"

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

bool Abbruch::beobachten(std::function<void()> beenden)
{
    std::lock_guard lock(mutex_);
    if (ausgeloest_) return false;
    beenden_ = std::move(beenden);
    return true;
}

void Abbruch::loslassen()
{
    std::lock_guard lock(mutex_);
    beenden_ = nullptr;
}

void Abbruch::ausloesen()
{
    std::lock_guard lock(mutex_);
    ausgeloest_ = true;
    if (beenden_) beenden_();
    beenden_ = nullptr;
}

bool Abbruch::ausgeloest() const
{
    std::lock_guard lock(mutex_);
    return ausgeloest_;
}

namespace {

void arbeiten(Serverdaten& daten, const RoundTrip& roundTrip)
{
    bool senden = false;
    std::unique_lock lock(daten.Datenmutex);
    for (;;) {
        if (senden) {
            // The pair tables are copied under the lock: the main thread may write them as soon
            // as it sees the worker awake, so reading them unlocked would race.
            Feld<KVP> getKvp = daten.GetKVP;
            Feld<KVP> postKvp = daten.PostKVP;
            lock.unlock();
            std::string raw = roundTrip ? roundTrip(getKvp, postKvp, daten.abbruch) : std::string{};
            lock.lock();
            daten.Antwortpuffer = std::move(raw);
            daten.Empfangsdaten = cutReply(daten.Antwortpuffer);
            senden = false;
            daten.Anfrageoffen = 0;
            // The lock stays held from here into the wait: a request posted the moment
            // Anfrageoffen is clear must find the worker waiting, or its signal would be lost
            // and Anfrageoffen would stay set for good.
        }
        if (daten.ThreadEnde == 1) return;
        daten.Anfragezaehler += 1;
        senden = true;
        // Woken only by a posted request or the end: a spurious wake-up would send the last
        // tables again (a chat line twice, an attack twice), and its clearing of Anfrageoffen
        // could swallow a request posted meanwhile.
        daten.Datenbedingung.wait(lock, [&] { return daten.Anfrageoffen == 1 || daten.ThreadEnde == 1; });
        if (daten.ThreadEnde == 1) return;
    }
}

}  // namespace

void THREAD1(Serverdaten& daten, const RoundTrip& roundTrip)
{
    try {
        arbeiten(daten, roundTrip);
    } catch (...) {
        std::lock_guard lock(daten.Datenmutex);
        daten.Workerfehler = std::current_exception();
    }
}

void workerBeenden(Serverdaten& daten)
{
    {
        std::lock_guard lock(daten.Datenmutex);
        daten.ThreadEnde = 1;
        daten.Datenbedingung.notify_one();
    }
    daten.abbruch.ausloesen();
}

void workerfehlerWeitergeben(Serverdaten& daten)
{
    std::exception_ptr fehler;
    {
        std::lock_guard lock(daten.Datenmutex);
        fehler = daten.Workerfehler;
    }
    if (fehler) std::rethrow_exception(fehler);
}

}  // namespace qz

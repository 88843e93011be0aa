// The request worker THREAD1 and everything it shares with the main thread. One mutex,
// Datenmutex, guards all of it; the worker sleeps on Datenbedingung until a request is posted
// (Anfrageoffen set) and performs exactly one round trip per posted request. The round trip
// itself (request text, TCP connection) is pluggable so that the frame runs without a server
// and tests can aim the worker anywhere; the game's is makeServerRoundTrip (server_exchange.hpp).
#pragma once

#include "net/server_address.hpp"
#include "net/server_endpoint.hpp"
#include "platform/feld.hpp"

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <string>

namespace qz {

struct KVP {
    std::string Key;
    std::string Value;
};

// Lets the main thread end the worker's round trip in flight at once, so that closing the game
// never waits for a silent server. The round trip names how to end what it waits for; the end
// calls that, and every later round trip sees the end before it starts.
class Abbruch {
public:
    // False (and nothing kept) when the end has come already.
    bool beobachten(std::function<void()> beenden);
    void loslassen();  // the wait is over, there is nothing to end any more
    void ausloesen();
    bool ausgeloest() const;

private:
    mutable std::mutex mutex_;
    std::function<void()> beenden_;
    bool ausgeloest_ = false;
};

struct Serverdaten {
    std::mutex Datenmutex;
    std::condition_variable Datenbedingung;
    int ThreadEnde = 0;
    int Anfrageoffen = 0;
    int Anfragezaehler = 0;
    int Serveronline = 0;
    double Signalzeit = 0.0;
    std::string Antwortpuffer;  // the raw bytes of the last reply; the request text lives with its connection
    std::string Empfangsdaten;
    Feld<KVP> GetKVP{1, 2};
    Feld<KVP> PostKVP{1, 40};
    // Where the next request goes (the login screen's "Server" field changes it), and the
    // address of the last request that reached no server (empty once one answered).
    ServerAddress Serveradresse{kServerHost, kServerPort};
    std::string Serverschluessel;  // what the server at Serveradresse asks of every request; empty: nothing
    std::string Unerreichbar;
    Abbruch abbruch;
    std::exception_ptr Workerfehler;  // what ended the worker, for the main thread to report
};

// Performs one request for the worker: gets a copy of the pair tables (taken under the mutex)
// and returns the raw bytes the server sent (empty when the connection failed or was ended
// through abbruch).
using RoundTrip =
    std::function<std::string(const Feld<KVP>& getKvp, const Feld<KVP>& postKvp, Abbruch& abbruch)>;

// The worker's loop; returns when ThreadEnde is set. Run it on its own std::thread. A failure
// on its thread ends it and is kept in Workerfehler instead of ending the process unreported.
void THREAD1(Serverdaten& daten, const RoundTrip& roundTrip);

// Tells the worker to end and ends its round trip in flight; the caller then joins the thread.
void workerBeenden(Serverdaten& daten);

// On the main thread: throws again what ended the worker, so that it reaches the error report.
void workerfehlerWeitergeben(Serverdaten& daten);

// The text between the first "CODE:" and the first ":EDOC"; empty when a marker is missing.
std::string cutReply(const std::string& raw);

}  // namespace qz

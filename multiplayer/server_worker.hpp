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
#include <functional>
#include <mutex>
#include <string>

namespace qz {

struct KVP {
    std::string Key;
    std::string Value;
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
    std::string Unerreichbar;
};

// Performs one request for the worker: gets a copy of the pair tables (taken under the mutex)
// and returns the raw bytes the server sent (empty when the connection failed).
using RoundTrip = std::function<std::string(const Feld<KVP>& getKvp, const Feld<KVP>& postKvp)>;

// The worker's loop; returns when ThreadEnde is set. Run it on its own std::thread.
void THREAD1(Serverdaten& daten, const RoundTrip& roundTrip);

// The text between the first "CODE:" and the first ":EDOC"; empty when a marker is missing.
std::string cutReply(const std::string& raw);

}  // namespace qz

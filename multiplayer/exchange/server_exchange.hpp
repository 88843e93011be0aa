// The worker's round trip over the TCP layer (one connection per request: send once
// connected, collect until the server closes), and the two hand-overs between the game loop
// and the worker: posting a request and reading its reply.
//
// The game starts its worker with
//     std::thread(THREAD1, std::ref(daten), makeServerRoundTrip(daten))
// which sends every request to daten.Serveradresse as it stands when the request starts.
#pragma once

#include "multiplayer/exchange/server_request.hpp"
#include "multiplayer/exchange/server_worker.hpp"
#include "net/server_endpoint.hpp"
#include "net/tsne.hpp"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace qz {

// Time-out of a request, in seconds: for connecting and for any silence of the server.
inline constexpr double kServerTimeout = 60.0;
// A reply is cut off at this size; no reply of the game comes near it, and a server that never
// stops sending must not eat the memory.
inline constexpr std::size_t kMaxReplyBytes = std::size_t{64} << 20;

// One connection's request and reply. The connection's callbacks work on it on the layer's
// threads; the worker reads Antwortpuffer only after TSNE_WAITCLOSE has returned.
struct Verbindung {
    std::string Anfrage;
    std::string Antwortpuffer;
};

// Empties the reply buffer and sends the request; the send result is not acted on.
void TSNE_CONNECTED(Verbindung& verbindung, TsneId id);
// Appends a received chunk to the reply buffer.
void TSNE_NEWDATA(Verbindung& verbindung, TsneId id, std::string_view data);
// Nothing to do: the worker learns of the end from TSNE_WAITCLOSE.
void TSNE_DISCONNECTED(Verbindung& verbindung, TsneId id);

// One request to host:port: builds the text from the pair tables, connects, sends it and
// collects everything until the server closes. Empty when no connection came about; what
// arrived so far when abbruch ends it.
// `schluessel`, when set, is the private server's key (RETHTTPPOSTREQUESTSTRING).
std::string serverRoundTrip(const std::string& host, std::uint16_t port, const Feld<KVP>& getKvp,
                            const Feld<KVP>& postKvp, double timeoutSeconds = kServerTimeout,
                            Abbruch* abbruch = nullptr, const std::string& schluessel = {});

// The round trip THREAD1 performs, aimed at host:port, with the server's key when it has one.
RoundTrip makeServerRoundTrip(const std::string& host, std::uint16_t port, double timeoutSeconds = kServerTimeout,
                              const std::string& schluessel = {});

// The round trip aimed at daten.Serveradresse with daten.Serverschluessel, read under
// Datenmutex for each request; a
// request that gets no byte back marks its address in daten.Unerreichbar, one that gets an
// answer clears it.
RoundTrip makeServerRoundTrip(Serverdaten& daten, double timeoutSeconds = kServerTimeout);

// Posting a request: under Datenmutex, unless a request is still open, fill writes the
// request's entries of the pair tables, Anfrageoffen is set and the worker woken. False (and
// nothing written) while the earlier request is open; the caller tries again at its next period.
bool postRequest(Serverdaten& daten, const std::function<void(Feld<KVP>& getKvp, Feld<KVP>& postKvp)>& fill);

// As postRequest, and also false while a reply waits to be taken: a caller that takes every
// reply before it posts then knows, when it writes the next request, whether the one before
// was answered (its reply was taken) or not (the round trip ended empty).
bool postRequestAfterReply(Serverdaten& daten,
                           const std::function<void(Feld<KVP>& getKvp, Feld<KVP>& postKvp)>& fill);

// Reading the reply: the payload of the last reply, taken under Datenmutex and emptied there;
// the empty text when none has arrived. The caller splits it after the lock is released.
std::string takeReply(Serverdaten& daten);

}  // namespace qz

#include "multiplayer/exchange/server_exchange.hpp"

namespace qz {

void TSNE_CONNECTED(Verbindung& verbindung, TsneId id)
{
    verbindung.Antwortpuffer.clear();
    std::size_t sent = 0;
    TSNE_DATA_SEND(id, verbindung.Anfrage, sent);
}

void TSNE_NEWDATA(Verbindung& verbindung, TsneId id, std::string_view data)
{
    verbindung.Antwortpuffer += data;
    if (verbindung.Antwortpuffer.size() > kMaxReplyBytes) TSNE_DISCONNECT(id);
}

void TSNE_DISCONNECTED(Verbindung&, TsneId) {}

std::string serverRoundTrip(const std::string& host, std::uint16_t port, const Feld<KVP>& getKvp,
                            const Feld<KVP>& postKvp, double timeoutSeconds, Abbruch* abbruch,
                            const std::string& schluessel)
{
    if (abbruch && abbruch->ausgeloest()) return {};
    Verbindung verbindung;
    verbindung.Anfrage = RETHTTPPOSTREQUESTSTRING(host, port, kServerPath, getKvp, postKvp, schluessel);
    TsneId Anfrageverbindung = 0;
    // The result is not acted on: a connection that failed leaves the buffer empty, and one
    // that was made ends with its disconnected callback, which TSNE_WAITCLOSE waits for, so
    // no callback can touch verbindung after this function returns.
    TSNE_CREATE_CLIENT(
        Anfrageverbindung, host, port, [&verbindung](TsneId id) { TSNE_DISCONNECTED(verbindung, id); },
        [&verbindung](TsneId id) { TSNE_CONNECTED(verbindung, id); },
        [&verbindung](TsneId id, std::string_view data) { TSNE_NEWDATA(verbindung, id, data); }, timeoutSeconds,
        kTsneStackSize, true);
    if (Anfrageverbindung == 0) return {};
    const TsneId id = Anfrageverbindung;
    const bool beobachtet = abbruch && abbruch->beobachten([id] { TSNE_DISCONNECT(id); });
    if (abbruch && !beobachtet) TSNE_DISCONNECT(id);  // the end came while the connection was made
    TSNE_WAITCLOSE(id);
    if (beobachtet) abbruch->loslassen();
    return std::move(verbindung.Antwortpuffer);
}

RoundTrip makeServerRoundTrip(const std::string& host, std::uint16_t port, double timeoutSeconds,
                              const std::string& schluessel)
{
    return [host, port, timeoutSeconds, schluessel](const Feld<KVP>& getKvp, const Feld<KVP>& postKvp,
                                                    Abbruch& abbruch) {
        return serverRoundTrip(host, port, getKvp, postKvp, timeoutSeconds, &abbruch, schluessel);
    };
}

RoundTrip makeServerRoundTrip(Serverdaten& daten, double timeoutSeconds)
{
    return [&daten, timeoutSeconds](const Feld<KVP>& getKvp, const Feld<KVP>& postKvp, Abbruch& abbruch) {
        ServerAddress ziel;
        std::string schluessel;
        {
            std::lock_guard lock(daten.Datenmutex);
            ziel = daten.Serveradresse;
            schluessel = daten.Serverschluessel;
        }
        std::string antwort =
            serverRoundTrip(ziel.host, ziel.port, getKvp, postKvp, timeoutSeconds, &abbruch, schluessel);
        std::lock_guard lock(daten.Datenmutex);
        if (ziel == daten.Serveradresse) daten.Unerreichbar = antwort.empty() ? serverAddressText(ziel) : "";
        return antwort;
    };
}

namespace {

// The reply is checked under the same hold of the lock as the open request: the worker sets
// both at once when a round trip ends.
bool post(Serverdaten& daten, const std::function<void(Feld<KVP>& getKvp, Feld<KVP>& postKvp)>& fill,
          bool afterReply)
{
    std::lock_guard lock(daten.Datenmutex);
    if (daten.Anfrageoffen == 1 || (afterReply && !daten.Empfangsdaten.empty())) return false;
    fill(daten.GetKVP, daten.PostKVP);
    daten.Anfrageoffen = 1;
    daten.Datenbedingung.notify_one();
    return true;
}

}  // namespace

bool postRequest(Serverdaten& daten, const std::function<void(Feld<KVP>& getKvp, Feld<KVP>& postKvp)>& fill)
{
    return post(daten, fill, false);
}

bool postRequestAfterReply(Serverdaten& daten,
                           const std::function<void(Feld<KVP>& getKvp, Feld<KVP>& postKvp)>& fill)
{
    return post(daten, fill, true);
}

std::string takeReply(Serverdaten& daten)
{
    std::lock_guard lock(daten.Datenmutex);
    std::string reply = std::move(daten.Empfangsdaten);
    daten.Empfangsdaten.clear();
    return reply;
}

}  // namespace qz

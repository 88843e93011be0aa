// The TCP client layer: integer connection handles (TSNEIDs), three callbacks per connection
// and negative result codes. One master thread for the process and one event thread per
// connection run behind it; the caller's thread only creates, sends, disconnects and waits.
//
// Callback order per connection: connected (event thread), any number of new-data calls
// (event thread), then disconnected (master thread, after the event thread has ended). No
// callback runs while the layer holds one of its locks, so callbacks may call the layer again
// (except TSNE_WAITCLOSE from the disconnected callback, which waits for the master itself).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace qz {

using TsneId = std::uint32_t;

// Result codes: -1 is success, everything else an error (tsneMessage gives the text).
inline constexpr int kTsneOk = -1;
inline constexpr int kTsneNoSocket = -3;
inline constexpr int kTsneCantCreateSocket = -4;
inline constexpr int kTsneCantResolve = -10;
inline constexpr int kTsneCantConnect = -11;
inline constexpr int kTsneIdNotFound = -12;
inline constexpr int kTsneNoHost = -17;
inline constexpr int kTsneSendError = -18;
inline constexpr int kTsneNoIpv6 = -21;
inline constexpr int kTsneUnstableState = -23;
inline constexpr int kTsneInternalError = -99;

// The message text of a result code; empty for a value that is not a result code.
const char* tsneMessage(int code);

// Connection states as the layer reports them through its behaviour.
inline constexpr int kTsneConnecting = 1;
inline constexpr int kTsneConnected = 2;
inline constexpr int kTsneClosing = 3;
inline constexpr int kTsneFinishing = 4;

// The largest chunk one receive hands to the new-data callback.
inline constexpr std::size_t kTsneReceiveChunk = 7936;

// The stack size the game gives its connection threads (the master thread uses it too).
inline constexpr std::size_t kTsneStackSize = 512000;

using TsneDisconnectedCallback = std::function<void(TsneId)>;
using TsneConnectedCallback = std::function<void(TsneId)>;
using TsneNewDataCallback = std::function<void(TsneId, std::string_view)>;

// A server that has not taken the connection after this many seconds counts as unreachable,
// however long the connection may then stay silent: a player waits for no longer, and the
// thread that connects is free again soon enough to end with the program.
inline constexpr double kTsneConnectLimit = 5.0;

// Opens a TCP connection to a host (a name or a dotted IPv4 address, looked up as IPv4, or an
// IPv6 address, bare or in brackets) and starts its event thread. The connect is bounded by
// timeoutSeconds and kTsneConnectLimit; timeoutSeconds bounds the wait for the event thread
// (with waitConnected) and every silence of the peer: a connection that receives nothing for
// that long is ended. A host text with a colon that is no IPv6 address gives kTsneCantResolve.
// Sets id to 0 first; a non-zero id afterwards always ends with the disconnected callback.
int TSNE_CREATE_CLIENT(TsneId& id, const std::string& host, std::uint16_t port,
                       TsneDisconnectedCallback onDisconnected, TsneConnectedCallback onConnected,
                       TsneNewDataCallback onNewData, double timeoutSeconds, std::size_t stackSize,
                       bool waitConnected);

// Sends all of data on a connected connection, or queues it for the event thread with queue set.
int TSNE_DATA_SEND(TsneId id, std::string_view data, std::size_t& sent, bool queue = false);

// Closes a connected connection; the disconnected callback follows on the master thread.
int TSNE_DISCONNECT(TsneId id);

// Blocks until the connection has ended and its record is gone (at once for an unknown id).
int TSNE_WAITCLOSE(TsneId id);

}  // namespace qz

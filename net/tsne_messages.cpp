#include "net/tsne.hpp"

namespace qz {

const char* tsneMessage(int code)
{
    switch (code) {
    case kTsneOk: return "No error.";
    case kTsneNoSocket: return "No Socket found in 'V_SOCKET'.";
    case kTsneCantCreateSocket: return "Can't create socket.";
    case kTsneCantResolve: return "Can't resolve IPA from host.";
    case kTsneCantConnect: return "Can't connect to remote computer [Timeout?].";
    case kTsneIdNotFound: return "TSNE-ID not found.";
    case kTsneNoHost: return "IPA not found.";
    case kTsneSendError:
        return "Error while sending data. Not sure all data transmitted. Maybe connection lost or disconnected.";
    case kTsneNoIpv6: return "No IPV6 supported!";
    case kTsneUnstableState: return "Unstable Thread-State!";
    case kTsneInternalError: return "Internal Error! Please contact support/programmer!";
    default: return "";
    }
}

}  // namespace qz

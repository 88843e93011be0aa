// A spectator's exchange with the server: the "zuschauen" request (the login and the last
// recording entry applied) and its reply, whose recording entries move the kept state on.
#pragma once

#include "multiplayer/exchange/server_worker.hpp"
#include "multiplayer/session/zuschauen.hpp"

#include <string>

namespace qz {

// Posts "zuschauen" for the channel of `sitzung`; false while a request is still open.
bool zuschauenAnfordern(Serverdaten& server, const std::string& sitzung, const std::string& loginName,
                        const Zuschauen& z);

// Applies a reply "zuschauen;;delay;;shown;;wait;;entries" (each entry ",seq:kind:base64"
// without padding). False when it is no such reply. An entry that does not fit (damaged, or
// not the one after the last) drops the state: the next request starts from a whole one.
bool zuschauenLesen(const std::string& antwort, Zuschauen& z);

}  // namespace qz

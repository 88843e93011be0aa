// "Aufzeichnungen": asking the server for its list of ended games' recordings and for one of
// them, and reading its replies.
#pragma once

#include "multiplayer/exchange/server_worker.hpp"
#include "multiplayer/session/mehrspieler.hpp"
#include "replay/qzr_file.hpp"

#include <optional>
#include <string>
#include <vector>

namespace qz {

// Post "aufzeichnungen_auflisten", or "aufzeichnung_holen" for the recording `id`, in the
// login's name; false while an earlier request is open.
bool aufzeichnungenAnfordern(Serverdaten& server, const std::string& loginName);
bool aufzeichnungAnfordern(Serverdaten& server, const std::string& loginName, const std::string& id);

// The reply to "aufzeichnungen_auflisten" into `liste` (as many rows as its shortest field);
// false, and the list kept, for any other reply.
bool aufzeichnungenLesen(const std::string& antwort, std::vector<Aufzeichnungseintrag>& liste);

// The recording in a reply to "aufzeichnung_holen"; nothing for any other reply. A file that
// is not base64 or does not read as a recording throws replay::QzrError.
std::optional<replay::Recording> aufzeichnungLesen(const std::string& antwort);

}  // namespace qz

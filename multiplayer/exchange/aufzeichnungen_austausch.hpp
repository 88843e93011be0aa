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

// Post "aufzeichnungen_auflisten", or "aufzeichnung_holen" for the part of the recording `id`
// after entry `seit`, in the login's name; false while an earlier request is open.
bool aufzeichnungenAnfordern(Serverdaten& server, const std::string& loginName);
bool aufzeichnungAnfordern(Serverdaten& server, const std::string& loginName, const std::string& id, long long seit);

// The reply to "aufzeichnungen_auflisten" into `liste` (as many rows as its shortest field);
// false, and the list kept, for any other reply.
bool aufzeichnungenLesen(const std::string& antwort, std::vector<Aufzeichnungseintrag>& liste);

// A part of the recording `id` in a reply to "aufzeichnung_holen", added to `aufnahme`, whose
// last entry `seit` becomes: true once it holds the recording's last entry, false while more
// is to come, nothing for any other reply. A part that does not follow on `seit` or whose
// entries do not read throws replay::QzrError.
std::optional<bool> aufzeichnungsteilLesen(const std::string& antwort, const std::string& id, replay::Recording& aufnahme,
                                           long long& seit);

// The whole recording once every part came, each entry applied once to check it (as a file
// is read); replay::QzrError when one does not fit.
replay::Recording aufzeichnungPruefen(const replay::Recording& aufnahme);

}  // namespace qz

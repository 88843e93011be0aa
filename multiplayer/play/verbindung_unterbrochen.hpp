// A server that stopped answering, as the running game notices it: after 30 s without any
// reply a notice over the map, while the game keeps polling; the first reply ends it.
#pragma once

#include "multiplayer/session/mehrspieler.hpp"
#include "platform/uebersetzung.hpp"

#include <string_view>

namespace qz {

inline constexpr double kStilleBisHinweis = 30.0;
// The notice's message id. The font is code page 437, which has neither an en dash nor an
// ellipsis: the nearest it draws are "-" and "...".
inline constexpr std::string_view kVerbindungUnterbrochen = trMark("Verbindung unterbrochen - neuer Versuch ...");

// A request went out; the silence counts from the first one that is still unanswered.
void anfrageGestellt(Mehrspieler& mp, double jetzt);
// Any reply, a refusal too: the server is there.
void antwortErhalten(Mehrspieler& mp);
bool verbindungUnterbrochen(const Mehrspieler& mp, double jetzt);

}  // namespace qz

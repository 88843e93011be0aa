// The chat lines the server itself writes into a channel's history (sender kServerChatSender).
// The protocol carries them in German; the game recognises each by its wording and shows it in
// the player's language, its names filled in, so the wording lives here once, for the writers
// and for the test that holds the game to it.
#pragma once

#include <string>
#include <string_view>

namespace qz::server {

inline std::string joinedLine(std::string_view player) { return std::string(player) + " ist beigetreten."; }

inline std::string connectionLostLine(std::string_view player) {
    return std::string(player) + " hat die Verbindung verloren";
}

inline std::string backLine(std::string_view player) { return std::string(player) + " ist zur\x81" "ck"; }

inline std::string conqueredLine(std::string_view player, std::string_view system) {
    return std::string(player) + " hat " + std::string(system) + " erobert.";
}

}  // namespace qz::server

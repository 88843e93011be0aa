// What the server sends for players to read, shown in the reader's language. The protocol
// carries it in German, as it always has: the fixed reasons of a refusal ("fehler;;Gesperrt")
// and the chat lines the server writes itself ("anna hat Vega erobert."). The game knows both
// lists and translates what it recognises, the names in a chat line filled into the translated
// text; anything else (a newer server's text, a reason naming a field) is shown as it came.
#pragma once

#include "platform/text.hpp"

#include <span>
#include <string_view>

namespace qz {

// The server's fixed refusal reasons, each a message id of the catalogues.
std::span<const std::string_view> bekannteAblehnungen();

// The wordings of the server's own chat lines as message ids, names as placeholders
// ("{spieler} ist beigetreten.").
std::span<const std::string_view> bekannteServerzeilen();

// A refusal's reason (code page 437, as it came) in the reader's language.
Text ablehnungText(std::string_view grund);

// A chat line the server wrote, in the reader's language.
Text serverzeileText(std::string_view zeile);

}  // namespace qz

// Checks for texts that travel inside reply records: names, chat lines, versions.
#pragma once

#include <cstddef>
#include <string_view>

namespace qz::server {

// Characters of a text: code points when it is valid UTF-8, else bytes.
std::size_t characterCount(std::string_view text);

// True when the text holds none of the separators of lists, fields, records and the
// reply frame (",", ";", "#", ":") and no control character.
bool isRecordSafe(std::string_view text);

// A player, channel or system name: 1 to 15 characters, record-safe. Throws BadRequest.
void requireName(std::string_view text, std::string_view what);

// Like requireName but the empty text is allowed (channel password).
void requireOptionalName(std::string_view text, std::string_view what);

// A chat line: 1 to kMaxChatCharacters characters, no ";", "#", control characters or
// the closing mark of the reply frame. Throws BadRequest.
void requireChatLine(std::string_view text);

}  // namespace qz::server

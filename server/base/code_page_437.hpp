// Names and chat lines are code page 437 bytes, as the game types and draws them. A database
// in UTF8 holds them as UTF-8; these convert at its boundary, byte for character, so every
// byte string comes back exactly as it went in.
#pragma once

#include <string>
#include <string_view>

namespace qz::server {

// True when every byte is below 0x80, where both encodings agree.
bool isAscii(std::string_view text);

// Each byte as its character in UTF-8 (bytes below 0x80 stay as they are).
std::string cp437ToUtf8(std::string_view bytes);

// The code page 437 byte of each character; a character code page 437 lacks, or a broken
// UTF-8 sequence, becomes "?".
std::string utf8ToCp437(std::string_view utf8);

}  // namespace qz::server

// The two encodings of the game's texts. Everything the sources, the save files and the
// protocol hold is code page 437 bytes (the German texts written like "Zur\x81" "ck", player
// and system names, chat): drawn byte for byte with the 8 x 16 font. What the player reads in
// their language is a Text: UTF-8, as the translation catalogues hold it (uebersetzung.hpp),
// drawn with the same font where code page 437 has the character and with GNU Unifont's glyphs
// otherwise. A German Text is its code page 437 id converted to UTF-8, which draws the very same
// glyphs, so German looks exactly as it did before the catalogues came.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qz {

// A text to show the player, UTF-8. Made by tr() (uebersetzung.hpp) or from code page 437
// bytes by textAusCp437(); never glued together from translated pieces: a translation fills
// its own placeholders.
struct Text {
    std::string utf8;
    bool operator==(const Text&) const = default;
};

// The Unicode code point of a code page 437 byte (0 stays 0).
char32_t cp437Zeichen(unsigned char byte);

// The code page 437 byte of a code point; -1 when code page 437 lacks it.
int cp437Byte(char32_t zeichen);

// Code page 437 bytes (names, chat, numbers) as UTF-8.
std::string cp437ZuUtf8(std::string_view cp437);
inline Text textAusCp437(std::string_view cp437) { return Text{cp437ZuUtf8(cp437)}; }

// The next code point of UTF-8 text at `pos`, advancing it; U+FFFD for a byte that does not
// start a well-formed sequence (that byte alone is skipped).
char32_t naechstesZeichen(std::string_view utf8, std::size_t& pos);

// Characters (8-pixel cells) of a text: its code points.
std::size_t zeichenzahl(const Text& text);
inline int textBreite(const Text& text) { return static_cast<int>(zeichenzahl(text)) * 8; }

}  // namespace qz

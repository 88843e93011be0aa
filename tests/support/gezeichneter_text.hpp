// Drawn text compared both ways: every pixel of the font's glyphs for `text` at (x, y) has the
// colour, and no other pixel of the text's box has it. A block of that colour fails as surely
// as a missing letter.
#pragma once

#include "platform/image.hpp"

#include <string_view>

namespace qz::test {

bool zeigtText(const Image& bild, int x, int y, std::string_view text, Farbe farbe = 0xFFFFFFFF);
// The same for a translated text (UTF-8).
bool zeigtText(const Image& bild, int x, int y, const Text& text, Farbe farbe = 0xFFFFFFFF);

}  // namespace qz::test

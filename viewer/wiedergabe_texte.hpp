// Every text the replay screen shows, in code page 437 as the font draws it.
#pragma once

#include <string_view>

namespace qz::wiedergabetext {

inline constexpr std::string_view kZurueck = "Zur\x81" "ck";
inline constexpr std::string_view kAbspielen = "Abspielen";
inline constexpr std::string_view kPause = "Pause";
inline constexpr std::string_view kTag = "Tag ";          // "Tag 12 / 40"
inline constexpr std::string_view kVon = " / ";
inline constexpr std::string_view kAufnahme = "Aufnahme: ";  // followed by the channel's name
inline constexpr std::string_view kAbwesend = " (abwesend)";
inline constexpr std::string_view kMal = "x";               // "16x"

}  // namespace qz::wiedergabetext

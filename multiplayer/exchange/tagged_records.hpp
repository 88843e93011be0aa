// Tagged records of the server's replies: "#" + tag + "-" + content + "-" + tag + "#". Both
// marks are searched from the beginning of the text, so the first record of a tag wins.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qz {

// The content between the first `open` and the first `close` after it. False (content
// untouched) when the opening is missing, or when no closing follows it: a cut-off reply then
// reads as an absent record instead of a nonsense slice.
bool textZwischen(std::string_view text, std::string_view open, std::string_view close, std::string& inhalt);

// The record of one tag; false when absent. An empty content counts as absent too, because an
// empty record leaves its target unchanged.
bool recordLesen(std::string_view text, std::string_view tag, std::string& inhalt);

// The battle record of system i: between "#kuml" + i + "-" and "-" + i + "kuml#".
bool kampfRecordLesen(std::string_view text, int system, std::string& inhalt);

// A list record cut at ",": element 0 the empty piece, values at 1..n. Returns n, 0 when the
// record is absent or empty (the array is then left empty).
int listenRecordLesen(std::string_view text, std::string_view tag, std::vector<std::string>& werte);

}  // namespace qz

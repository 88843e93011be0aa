// Whole files in and out: a file is replaced so that a crash, a power cut or a full disk in the
// middle leaves either the old content or the new one, never a mix; and read in one piece.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qz {

// Replaces `ziel` with `inhalt` through a temporary file beside it that is written, flushed to
// the disk and renamed over `ziel`; on failure the temporary file is removed and `ziel` is as it was.
bool dateiErsetzen(const std::filesystem::path& ziel, std::string_view inhalt);

// A new empty file in `ordner` whose name is `stamm` followed by characters no other file there
// has (made, never opened twice); nothing when none can be made.
std::optional<std::filesystem::path> neueDatei(const std::filesystem::path& ordner, std::string_view stamm);

// The whole file, or nothing when it cannot be read.
std::optional<std::string> dateiLesen(const std::filesystem::path& pfad);

}  // namespace qz

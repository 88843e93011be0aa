// A whole file as bytes; the empty text for a file that is missing or cannot be read.
#pragma once

#include <filesystem>
#include <string>

namespace qz::test {

std::string dateiInhalt(const std::filesystem::path& datei);

}  // namespace qz::test

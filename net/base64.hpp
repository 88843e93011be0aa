// Base64 (RFC 4648, with "=" padding) for bytes that travel inside a form field and come back
// inside a reply record: its alphabet holds none of the record's separators.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qz {

std::string base64Kodieren(std::string_view bytes);

// Only the canonical text of some bytes decodes: a length that is no multiple of four, a
// character outside the alphabet, padding anywhere but at the end or padding bits that are
// not zero give nothing.
std::optional<std::string> base64Dekodieren(std::string_view text);

}  // namespace qz

// Decimal numbers and comma lists (",a,b,c") as clients send them, checked strictly.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz::server {

// A 32-bit signed decimal integer with an optional "-"; nothing else.
std::optional<int> parseInt(std::string_view text);

// parseInt or BadRequest naming the field.
int requireInt(std::string_view text, std::string_view field);

// requireInt within [low, high].
int requireIntInRange(std::string_view text, std::string_view field, int low, int high);

// The entries of a comma list with a comma before every entry; the empty text is the
// empty list. Throws BadRequest when the leading comma is missing or the list holds
// more than kMaxListEntries entries.
std::vector<std::string_view> splitList(std::string_view list, std::string_view field);

// A comma list of integers.
std::vector<int> parseIntList(std::string_view list, std::string_view field);

// A comma list of integers, each within [low, high].
std::vector<int> parseIntListInRange(std::string_view list, std::string_view field, int low, int high);

// A comma list of route texts: each entry only the digits 0 to 9.
std::vector<std::string_view> parseRouteList(std::string_view list, std::string_view field);

// ",a,b,c" from numbers.
void appendIntList(std::string& out, const std::vector<int>& values);

}  // namespace qz::server

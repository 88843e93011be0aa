// The change from one comma list to the next, value by value: runs of values kept as they
// were, and runs of new ones. A number that replaces a number is written as the difference,
// so a fleet's position that moves a few points takes a byte or two.
#pragma once

#include "replay/byte_codec.hpp"

#include <string>
#include <string_view>

namespace qz::replay {

void writeListChange(ByteWriter& out, std::string_view before, std::string_view after);
// Rebuilds the list from the one before and the change; DecodeError when they do not fit.
std::string readListChange(ByteReader& in, std::string_view before);

}  // namespace qz::replay

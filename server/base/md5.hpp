// MD5 of a text as 32 upper-case hexadecimal digits: what the game sends as its password
// digest, needed here only to add accounts from the command line.
#pragma once

#include <string>
#include <string_view>

namespace qz::server {

std::string md5UpperHex(std::string_view text);

}  // namespace qz::server

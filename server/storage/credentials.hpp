// Stored credentials: a salted argon2id hash (libsodium) of the digest the client sends,
// never the digest itself.
#pragma once

#include <string>
#include <string_view>

namespace qz::server {

// How much work one hash costs. "interactive" is the default for operators; "minimum"
// keeps tests and the fuzzer fast.
enum class HashCost { interactive, moderate, minimum };

// Throws std::runtime_error when libsodium cannot start or runs out of memory.
std::string hashCredential(std::string_view digest, HashCost cost);
bool verifyCredential(const std::string& stored, std::string_view digest);

// 32 hexadecimal digits, upper or lower case: the form of the client's password digest.
bool isPasswordDigest(std::string_view text);

// A random 128-bit value as 32 lower-case hexadecimal digits.
std::string newSessionId();

}  // namespace qz::server

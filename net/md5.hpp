// MD5 (RFC 1321) for the login: the password travels to the server only as its digest,
// written as 32 upper-case hexadecimal digits. The one MD5 of the project: the game, the
// computer player and the server link it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qz {

// The three steps of the engine: a fresh object is initialised, UPDATE feeds bytes (any number
// of calls, any lengths), FINAL pads, appends the length in bits and gives the hexadecimal text.
class Md5Kontext {
public:
    void UPDATE(std::string_view bytes);
    std::string FINAL();
    std::array<std::uint8_t, 16> finalDigest();

private:
    void blocks(const unsigned char* data, std::size_t count);

    std::uint32_t a_ = 0x67452301, b_ = 0xefcdab89, c_ = 0x98badcfe, d_ = 0x10325476;
    std::uint64_t length_ = 0;
    std::array<unsigned char, 64> pending_{};
    std::size_t pendingSize_ = 0;
};

// The digest of the text's bytes in upper-case hexadecimal, the empty text included: what the
// server computes for an account an operator adds.
std::string md5UpperHex(std::string_view text);

// The same as the game's login writes it: "Kein Text enthalten" for an empty text. Texts of any
// length are hashed.
std::string CREATEHASH(std::string_view text);

}  // namespace qz

// The digest the server computes for an operator's account (the empty text too) against
// OpenSSL's, across every padding case.
#include "net/md5.hpp"

#include <openssl/evp.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

namespace qz::server {
namespace {

std::string reference(const std::string& text) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    EVP_Digest(text.data(), text.size(), digest, &size, EVP_md5(), nullptr);
    std::string hex;
    char pair[3];
    for (unsigned int i = 0; i < size; ++i) {
        const unsigned char byte = digest[i];
        std::snprintf(pair, sizeof pair, "%02X", byte);
        hex += pair;
    }
    return hex;
}

TEST(Md5, KnownDigests) {
    EXPECT_EQ(md5UpperHex(""), "D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(md5UpperHex("The quick brown fox jumps over the lazy dog"), "9E107D9D372BB6826BD81D3542A419D6");
}

TEST(Md5, MatchesOpenSslForEveryLengthUpToThreeBlocks) {
    std::mt19937 random(7);
    for (std::size_t length = 0; length <= 200; ++length) {
        std::string text(length, '\0');
        for (char& c : text) c = static_cast<char>(random());
        EXPECT_EQ(md5UpperHex(text), reference(text)) << "length " << length;
    }
}

}  // namespace
}  // namespace qz::server

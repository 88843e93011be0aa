// CREATEHASH and the MD5 engine against the RFC 1321 vectors and against OpenSSL's MD5.
#include "net/md5.hpp"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <random>
#include <string>

namespace qz {
namespace {

std::string referenceHash(const std::string& text)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    EVP_Digest(text.data(), text.size(), digest, &size, EVP_md5(), nullptr);
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned int i = 0; i < size; ++i) {
        hex += kHex[digest[i] >> 4];
        hex += kHex[digest[i] & 15];
    }
    return hex;
}

std::string randomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string text(size, '\0');
    for (char& c : text) c = static_cast<char>(random() & 0xFF);
    return text;
}

TEST(CreateHash, MatchesTheTestSuiteOfRfc1321InUpperCase)
{
    EXPECT_EQ(CREATEHASH("a"), "0CC175B9C0F1B6A831C399E269772661");
    EXPECT_EQ(CREATEHASH("abc"), "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(CREATEHASH("message digest"), "F96B697D7CB7938D525A2F31AAF161D0");
    EXPECT_EQ(CREATEHASH("abcdefghijklmnopqrstuvwxyz"), "C3FCD3D76192E4007DFB496CCA67E13B");
    EXPECT_EQ(CREATEHASH("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
              "D174AB98D277D9F5A5611C2C9F419D9F");
    EXPECT_EQ(CREATEHASH("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
              "57EDF4A22BE3C955AC49DA2E2107B67A");
}

TEST(CreateHash, EmptyTextGivesTheMessageInsteadOfADigest)
{
    EXPECT_EQ(CREATEHASH(""), "Kein Text enthalten");
    // The engine itself still knows the digest of no bytes.
    Md5Kontext kontext;
    EXPECT_EQ(kontext.FINAL(), "D41D8CD98F00B204E9800998ECF8427E");
}

TEST(CreateHash, LengthsAroundTheBlockBoundaryMatchTheReference)
{
    for (std::size_t size : {1u, 54u, 55u, 56u, 57u, 63u, 64u, 65u, 119u, 120u, 127u, 128u, 129u}) {
        const std::string text = randomBytes(size, static_cast<unsigned>(size));
        EXPECT_EQ(CREATEHASH(text), referenceHash(text)) << size << " bytes";
    }
}

TEST(CreateHash, HashesTextsFarBeyondTheOldBufferSize)
{
    const std::string text = randomBytes(1 << 20, 7);
    EXPECT_EQ(CREATEHASH(text), referenceHash(text));
    const std::string justOver = randomBytes(16385 + 1, 8);
    EXPECT_EQ(CREATEHASH(justOver), referenceHash(justOver));
}

TEST(CreateHash, BytesAboveAsciiAreHashedAsSingleBytes)
{
    const std::string umlaute = "\x84\x94\x81\xE1";  // code page 437: ae oe ue sz
    EXPECT_EQ(CREATEHASH(umlaute), referenceHash(umlaute));
    EXPECT_EQ(CREATEHASH(std::string("\0x", 2)), referenceHash(std::string("\0x", 2)));
}

TEST(Md5Engine, FeedingInPiecesGivesTheSameDigestAsOneUpdate)
{
    const std::string text = randomBytes(300, 11);
    const std::string expected = referenceHash(text);
    for (std::size_t split = 0; split <= text.size(); split += 7) {
        Md5Kontext kontext;
        kontext.UPDATE(std::string_view(text).substr(0, split));
        kontext.UPDATE(std::string_view(text).substr(split));
        EXPECT_EQ(kontext.FINAL(), expected) << "split at " << split;
    }
    Md5Kontext byteWise;
    for (char c : text) byteWise.UPDATE(std::string_view(&c, 1));
    EXPECT_EQ(byteWise.FINAL(), expected);
}

}  // namespace
}  // namespace qz

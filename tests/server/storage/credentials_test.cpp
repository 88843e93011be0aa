// Stored credentials and session ids.
#include "storage/credentials.hpp"

#include <gtest/gtest.h>

#include <set>

namespace qz::server {
namespace {

const std::string kDigest = "0CC175B9C0F1B6A831C399E269772661";

TEST(Credentials, TheStoredFormIsASaltedArgon2idHashOfTheDigest) {
    const std::string first = hashCredential(kDigest, HashCost::minimum);
    const std::string second = hashCredential(kDigest, HashCost::minimum);
    EXPECT_EQ(first.rfind("$argon2id$", 0), 0u);
    EXPECT_EQ(first.find(kDigest), std::string::npos);
    EXPECT_NE(first, second) << "each hash has its own salt";
    EXPECT_TRUE(verifyCredential(first, kDigest));
    EXPECT_TRUE(verifyCredential(second, "0cc175b9c0f1b6a831c399e269772661")) << "hex case does not matter";
    EXPECT_FALSE(verifyCredential(first, "0CC175B9C0F1B6A831C399E269772662"));
    EXPECT_FALSE(verifyCredential("kein hash", kDigest));
}

TEST(Credentials, DigestsAreThirtyTwoHexDigits) {
    EXPECT_TRUE(isPasswordDigest(kDigest));
    EXPECT_FALSE(isPasswordDigest(kDigest.substr(1)));
    EXPECT_FALSE(isPasswordDigest(kDigest.substr(1) + "G"));
}

TEST(SessionIds, AreRandom128BitHex) {
    std::set<std::string> seen;
    for (int i = 0; i < 100; ++i) {
        const std::string id = newSessionId();
        ASSERT_EQ(id.size(), 32u);
        EXPECT_EQ(id.find_first_not_of("0123456789abcdef"), std::string::npos);
        seen.insert(id);
    }
    EXPECT_EQ(seen.size(), 100u);
}

}  // namespace
}  // namespace qz::server

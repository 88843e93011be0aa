#include "storage/credentials.hpp"

#include <sodium.h>

#include <cctype>
#include <stdexcept>

namespace qz::server {

namespace {

void startSodium() {
    static const int started = sodium_init();
    if (started < 0) throw std::runtime_error("libsodium cannot start");
}

// The client sends upper-case digits; compare case-insensitively by hashing one form.
std::string normalised(std::string_view digest) {
    std::string text(digest);
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::string hashCredential(std::string_view digest, HashCost cost) {
    startSodium();
    unsigned long long ops = crypto_pwhash_OPSLIMIT_INTERACTIVE;
    std::size_t memory = crypto_pwhash_MEMLIMIT_INTERACTIVE;
    if (cost == HashCost::moderate) {
        ops = crypto_pwhash_OPSLIMIT_MODERATE;
        memory = crypto_pwhash_MEMLIMIT_MODERATE;
    } else if (cost == HashCost::minimum) {
        ops = crypto_pwhash_OPSLIMIT_MIN;
        memory = crypto_pwhash_MEMLIMIT_MIN;
    }
    const std::string text = normalised(digest);
    char stored[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(stored, text.data(), text.size(), ops, memory, crypto_pwhash_ALG_ARGON2ID13) != 0) {
        throw std::runtime_error("out of memory while hashing a credential");
    }
    return stored;
}

bool verifyCredential(const std::string& stored, std::string_view digest) {
    startSodium();
    const std::string text = normalised(digest);
    return crypto_pwhash_str_verify(stored.c_str(), text.data(), text.size()) == 0;
}

bool isPasswordDigest(std::string_view text) {
    if (text.size() != 32) return false;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

std::string newSessionId() {
    startSodium();
    unsigned char bytes[16];
    randombytes_buf(bytes, sizeof bytes);
    char hex[33];
    sodium_bin2hex(hex, sizeof hex, bytes, sizeof bytes);
    return hex;
}

}  // namespace qz::server

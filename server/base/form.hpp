// Form-encoded key/value pairs of a request body or query string. Values are decoded when
// first asked for: a game request's long ship lists are often compared as sent and never
// need decoding.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz::server {

class FormFields {
public:
    // The value of the last pair with this key, decoded, or nullptr.
    const std::string* find(std::string_view key) const;
    // The decoded value, or the empty text when the key is absent.
    std::string_view value(std::string_view key) const;
    // The value as it was sent, still encoded; empty when absent.
    std::string_view raw(std::string_view key) const;
    bool has(std::string_view key) const { return locate(key) != nullptr; }
    std::size_t size() const { return pairs_.size(); }

private:
    struct Pair {
        std::string key;
        std::size_t offset = 0;  // of the encoded value in text_
        std::size_t length = 0;
        mutable std::optional<std::string> decoded;
    };
    const Pair* locate(std::string_view key) const;

    std::string_view text_;  // the request's own bytes, which outlive its handling
    std::vector<Pair> pairs_;

    friend FormFields parseForm(std::string_view text);
};

// Decodes "+" to space and "%XX" to its byte. Throws BadRequest on a broken escape.
std::string urlDecode(std::string_view text);

// Splits "a=1&b=2" into pairs; throws BadRequest on broken escapes or too many pairs. The
// fields refer to `text`, which must outlive them.
FormFields parseForm(std::string_view text);

}  // namespace qz::server

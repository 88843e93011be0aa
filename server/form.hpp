// Form-encoded key/value pairs of a request body or query string.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qz::server {

class FormFields {
public:
    void add(std::string key, std::string value);
    // The value of the last pair with this key, or nullptr.
    const std::string* find(std::string_view key) const;
    // The value, or the empty text when the key is absent.
    std::string_view value(std::string_view key) const;
    bool has(std::string_view key) const { return find(key) != nullptr; }
    std::size_t size() const { return pairs_.size(); }

private:
    std::vector<std::pair<std::string, std::string>> pairs_;
};

// Decodes "+" to space and "%XX" to its byte. Throws BadRequest on a broken escape.
std::string urlDecode(std::string_view text);

// Splits "a=1&b=2" into pairs; throws BadRequest on broken escapes or too many pairs.
FormFields parseForm(std::string_view text);

}  // namespace qz::server

#include "base/form.hpp"

#include "base/bad_request.hpp"
#include "base/refusals.hpp"
#include "base/limits.hpp"

namespace qz::server {

const FormFields::Pair* FormFields::locate(std::string_view key) const {
    for (auto it = pairs_.rbegin(); it != pairs_.rend(); ++it) {
        if (it->key == key) return &*it;
    }
    return nullptr;
}

const std::string* FormFields::find(std::string_view key) const {
    const Pair* pair = locate(key);
    if (!pair) return nullptr;
    if (!pair->decoded) pair->decoded = urlDecode(text_.substr(pair->offset, pair->length));
    return &*pair->decoded;
}

std::string_view FormFields::value(std::string_view key) const {
    const std::string* found = find(key);
    return found ? std::string_view(*found) : std::string_view();
}

std::string_view FormFields::raw(std::string_view key) const {
    const Pair* pair = locate(key);
    return pair ? text_.substr(pair->offset, pair->length) : std::string_view();
}

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}


unsigned isHexDigit(unsigned char c) {
    return static_cast<unsigned>(static_cast<unsigned char>(c - '0') < 10) |
           static_cast<unsigned>(static_cast<unsigned char>((c | 0x20) - 'a') < 6);
}

// Throws BadRequest unless every "%" is followed by two hexadecimal digits. One pass without
// early exit, which the compiler turns into vector code: game requests hold thousands of escapes.
void checkEscapes(std::string_view text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    unsigned broken = 0;
    for (std::size_t i = 0; i + 2 < n; ++i) {
        broken |= static_cast<unsigned>(bytes[i] == '%') & ~(isHexDigit(bytes[i + 1]) & isHexDigit(bytes[i + 2])) & 1u;
    }
    for (std::size_t i = n < 2 ? 0 : n - 2; i < n; ++i) broken |= static_cast<unsigned>(bytes[i] == '%');
    if (broken) throw BadRequest(refusal("Kodierung fehlerhaft"));
}

}  // namespace

std::string urlDecode(std::string_view text) {
    // Decoding only shrinks, so one buffer of the input's size is enough.
    std::string out(text.size(), '\0');
    char* to = out.data();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            *to++ = ' ';
        } else if (c == '%') {
            if (i + 2 >= text.size()) throw BadRequest(refusal("Kodierung fehlerhaft"));
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high < 0 || low < 0) throw BadRequest(refusal("Kodierung fehlerhaft"));
            *to++ = static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            *to++ = c;
        }
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
    return out;
}

FormFields parseForm(std::string_view text) {
    checkEscapes(text);
    FormFields fields;
    fields.text_ = text;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('&', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view pair = text.substr(start, end - start);
        if (!pair.empty()) {
            if (fields.pairs_.size() >= kMaxFormPairs) throw BadRequest(refusal("Zu viele Felder"));
            const std::size_t eq = pair.find('=');
            FormFields::Pair entry;
            entry.key = urlDecode(pair.substr(0, eq));
            if (eq != std::string_view::npos) {
                entry.offset = start + eq + 1;
                entry.length = pair.size() - eq - 1;
            }
            fields.pairs_.push_back(std::move(entry));
        }
        start = end + 1;
    }
    return fields;
}

}  // namespace qz::server

#include "form.hpp"

#include "bad_request.hpp"
#include "limits.hpp"

namespace qz::server {

void FormFields::add(std::string key, std::string value) {
    pairs_.emplace_back(std::move(key), std::move(value));
}

const std::string* FormFields::find(std::string_view key) const {
    for (auto it = pairs_.rbegin(); it != pairs_.rend(); ++it) {
        if (it->first == key) return &it->second;
    }
    return nullptr;
}

std::string_view FormFields::value(std::string_view key) const {
    const std::string* found = find(key);
    return found ? std::string_view(*found) : std::string_view();
}

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
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
            if (i + 2 >= text.size()) throw BadRequest("Kodierung fehlerhaft");
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high < 0 || low < 0) throw BadRequest("Kodierung fehlerhaft");
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
    FormFields fields;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('&', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view pair = text.substr(start, end - start);
        if (!pair.empty()) {
            if (fields.size() >= kMaxFormPairs) throw BadRequest("Zu viele Felder");
            const std::size_t eq = pair.find('=');
            if (eq == std::string_view::npos) {
                fields.add(urlDecode(pair), std::string());
            } else {
                fields.add(urlDecode(pair.substr(0, eq)), urlDecode(pair.substr(eq + 1)));
            }
        }
        start = end + 1;
    }
    return fields;
}

}  // namespace qz::server

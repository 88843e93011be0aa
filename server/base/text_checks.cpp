#include "base/text_checks.hpp"

#include "base/bad_request.hpp"
#include "base/limits.hpp"

#include <string>

namespace qz::server {

namespace {

// Number of code points when the text is valid UTF-8, or -1.
long utf8CodePoints(std::string_view text) {
    long count = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        if (lead < 0x80) length = 1;
        else if ((lead & 0xE0) == 0xC0 && lead >= 0xC2) length = 2;
        else if ((lead & 0xF0) == 0xE0) length = 3;
        else if ((lead & 0xF8) == 0xF0 && lead <= 0xF4) length = 4;
        else return -1;
        if (i + length > text.size()) return -1;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return -1;
        }
        i += length;
        ++count;
    }
    return count;
}

bool isControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

[[noreturn]] void refuse(std::string_view what, const char* problem) {
    throw BadRequest(std::string(what) + " " + problem);
}

}  // namespace

std::size_t characterCount(std::string_view text) {
    const long points = utf8CodePoints(text);
    return points < 0 ? text.size() : static_cast<std::size_t>(points);
}

bool isRecordSafe(std::string_view text) {
    for (char c : text) {
        if (c == ',' || c == ';' || c == '#' || c == ':' || isControl(c)) return false;
    }
    return true;
}

void requireOptionalName(std::string_view text, std::string_view what) {
    if (characterCount(text) > kMaxNameCharacters) refuse(what, "zu lang");
    if (!isRecordSafe(text)) refuse(what, "enthaelt Trennzeichen");
}

void requireName(std::string_view text, std::string_view what) {
    if (text.find_first_not_of(' ') == std::string_view::npos) refuse(what, "fehlt");
    requireOptionalName(text, what);
}

void requireChatLine(std::string_view text) {
    if (text.find_first_not_of(' ') == std::string_view::npos) refuse("Chatzeile", "ist leer");
    if (characterCount(text) > kMaxChatCharacters) refuse("Chatzeile", "zu lang");
    for (char c : text) {
        if (c == ';' || c == '#' || isControl(c)) refuse("Chatzeile", "enthaelt Trennzeichen");
    }
    if (text.find(":EDOC") != std::string_view::npos) refuse("Chatzeile", "enthaelt Trennzeichen");
}

}  // namespace qz::server

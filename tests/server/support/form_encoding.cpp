#include "form_encoding.hpp"

#include <cstdio>

namespace qz::server::test {

std::string urlEncode(const std::string& text, bool spaceAsPlus) {
    std::string out;
    for (unsigned char c : text) {
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            out += static_cast<char>(c);
        } else if (c == ' ') {
            out += spaceAsPlus ? "+" : "%20";
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            out += escaped;
        }
    }
    return out;
}

std::string formBody(const Pairs& pairs) {
    std::string body;
    for (const auto& [key, value] : pairs) {
        if (key.empty()) continue;
        if (!body.empty()) body += '&';
        body += key + '=' + urlEncode(value, true);
    }
    return body;
}

std::string gameRequest(const std::string& host, int port, const std::string& sessionId, const Pairs& pairs) {
    std::string text = "POST /games/qz/datenabfrage.php";
    if (!sessionId.empty()) text += "?PHPSESSID=" + urlEncode(sessionId, false);
    text += " HTTP/1.1\r\n";
    text += "Host: " + host + (port != 80 ? std::string(":") + std::to_string(port) : std::string()) + "\r\n";
    text += "Connection: close\r\n";
    text += "Accept: */*\r\n";
    text += "Accept-Encoding: \r\n";
    text += "User-Agent: Sample HTTP Client in Quillbox\r\n";
    text += "Content-Type: application/x-www-form-urlencoded\r\n";
    const std::string body = formBody(pairs);
    text += "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    text += body;
    return text;
}

}  // namespace qz::server::test

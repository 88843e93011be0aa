#include "multiplayer/server_request.hpp"

namespace qz {

std::string URLENCODE(std::string_view text, std::uint8_t spaceFlag)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size() * 3);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z')) {
            encoded += c;
        } else if (byte == ' ') {
            encoded += spaceFlag != 0 ? "+" : "%20";
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 15];
        }
    }
    return encoded;
}

std::string RETSTRINGFROMKVPARRAY(const Feld<KVP>& pairs, std::uint8_t spaceFlag)
{
    std::string result;
    for (int i = pairs.lo(); i <= pairs.hi(); ++i) {
        const std::string& key = pairs(i).Key;
        const auto first = key.find_first_not_of(' ');
        if (first == std::string::npos) continue;
        const auto last = key.find_last_not_of(' ');
        if (!result.empty()) result += '&';
        result.append(key, first, last - first + 1);
        result += '=';
        result += URLENCODE(pairs(i).Value, spaceFlag);
    }
    return result;
}

std::string RETHTTPPOSTREQUESTSTRING(const std::string& host, std::uint16_t port, const std::string& path,
                                     const Feld<KVP>& getKvp, const Feld<KVP>& postKvp)
{
    static constexpr const char* kCrlf = "\r\n";
    const std::string query = RETSTRINGFROMKVPARRAY(getKvp, 0);
    const std::string body = RETSTRINGFROMKVPARRAY(postKvp, 1);
    std::string request = "POST " + path;
    if (!query.empty()) request += "?" + query;
    request += " HTTP/1.1";
    request += kCrlf;
    request += "Host: " + host;
    if (port != 80) request += ":" + std::to_string(port);
    request += kCrlf;
    request += "Connection: close";
    request += kCrlf;
    request += "Accept: */*";
    request += kCrlf;
    request += "Accept-Encoding: ";
    request += kCrlf;
    request += "User-Agent: Sample HTTP Client in Quillbox";
    request += kCrlf;
    request += "Content-Type: application/x-www-form-urlencoded";
    request += kCrlf;
    request += "Content-Length: " + std::to_string(body.size());
    request += kCrlf;
    request += kCrlf;
    request += body;
    return request;
}

}  // namespace qz

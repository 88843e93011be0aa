#include "multiplayer/exchange/server_request.hpp"

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
                                     const Feld<KVP>& getKvp, const Feld<KVP>& postKvp, const std::string& schluessel)
{
    const std::string query = RETSTRINGFROMKVPARRAY(getKvp, 0);
    const std::string body = RETSTRINGFROMKVPARRAY(postKvp, 1);
    std::string request;
    request.reserve(256 + path.size() + query.size() + body.size());
    request.append("POST ").append(path);
    if (!query.empty()) request.append("?").append(query);
    request.append(" HTTP/1.1\r\n");
    request.append("Host: ").append(host);
    if (port != 80) request.append(":").append(std::to_string(port));
    request.append("\r\n");
    request.append("Connection: close\r\n");
    request.append("Accept: */*\r\n");
    request.append("Accept-Encoding: \r\n");
    request.append("User-Agent: Sample HTTP Client in Quillbox\r\n");
    request.append("Content-Type: application/x-www-form-urlencoded\r\n");
    if (!schluessel.empty()) request.append(kSchluesselKopf).append(": ").append(schluessel).append("\r\n");
    request.append("Content-Length: ").append(std::to_string(body.size())).append("\r\n\r\n");
    request.append(body);
    return request;
}

}  // namespace qz

// The text of a request to the server script: form encoding of the pair tables and the
// HTTP/1.1 POST request with its fixed header lines.
#pragma once

#include "multiplayer/exchange/server_worker.hpp"

#include <cstdint>
#include <string>
#include <string_view>

namespace qz {

// The server script every request goes to.
inline constexpr const char* kServerPath = "/games/qz/datenabfrage.php";

// Letters and digits stay, a space becomes "+" (space flag non-zero) or "%20", every other byte
// becomes "%" and two upper-case hexadecimal digits.
std::string URLENCODE(std::string_view text, std::uint8_t spaceFlag);

// key=value pairs joined by "&", from the lower to the upper bound; the key is trimmed of
// spaces and sent unencoded, a pair whose trimmed key is empty is left out.
std::string RETSTRINGFROMKVPARRAY(const Feld<KVP>& pairs, std::uint8_t spaceFlag);

// The key of a private server (the game's own for "Gegen den Computer") goes with every request
// in this header: other accounts on the machine share the loopback address.
inline constexpr const char* kSchluesselKopf = "X-QZ-Key";

// The complete request: request line with the query pairs (spaces as "%20"), the seven header
// lines in their fixed order, an empty line and the form body (spaces as "+"). A `schluessel`
// adds the line kSchluesselKopf after them.
std::string RETHTTPPOSTREQUESTSTRING(const std::string& host, std::uint16_t port, const std::string& path,
                                     const Feld<KVP>& getKvp, const Feld<KVP>& postKvp,
                                     const std::string& schluessel = {});

}  // namespace qz

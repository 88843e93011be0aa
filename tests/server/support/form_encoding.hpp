// Request bodies exactly as the game builds them: keys in order, values URL-encoded with
// only letters and digits left as they are.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace qz::server::test {

using Pairs = std::vector<std::pair<std::string, std::string>>;

std::string urlEncode(const std::string& text, bool spaceAsPlus);
std::string formBody(const Pairs& pairs);

// The whole request text of the game's worker: request line, the seven headers, body.
std::string gameRequest(const std::string& host, int port, const std::string& sessionId, const Pairs& pairs);

}  // namespace qz::server::test

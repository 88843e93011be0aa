// A client of one request per connection, as the game's worker: send, read until the
// server closes, cut the reply out between "CODE:" and ":EDOC".
#pragma once

#include "form_encoding.hpp"

#include <string>

namespace qz::server::test {

// The loopback address of the game's own player in tests, and a second one for a stranger.
inline constexpr const char* kHome = "127.0.0.1";
inline constexpr const char* kStranger = "127.0.0.2";

// Sends raw bytes from the given local address and returns everything the server sent
// before it closed.
std::string roundTrip(int port, const std::string& bytes, const char* from = kHome);

// The text between the first "CODE:" and the first ":EDOC", or "<unframed>" + response.
std::string replyText(const std::string& response);

// Posts a request as the game does and returns the reply text.
std::string post(int port, const std::string& sessionId, const Pairs& pairs, const char* from = kHome);

}  // namespace qz::server::test

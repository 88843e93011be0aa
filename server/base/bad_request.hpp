// A request the server refuses: carries the short German reason that goes back to the client.
#pragma once

#include <stdexcept>
#include <string>

namespace qz::server {

class BadRequest : public std::runtime_error {
public:
    explicit BadRequest(const std::string& reason) : std::runtime_error(reason) {}
};

}  // namespace qz::server

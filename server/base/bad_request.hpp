// A request the server refuses: carries the short German reason that goes back to the client
// (a fixed one from refusals.hpp, or one put together naming the field at fault).
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace qz::server {

class BadRequest : public std::runtime_error {
public:
    explicit BadRequest(std::string_view reason) : std::runtime_error(std::string(reason)) {}
};

}  // namespace qz::server

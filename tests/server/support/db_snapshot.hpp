// Every row of every table of a server database as one text, to prove a refused request
// stored nothing.
#pragma once

#include <string>

namespace qz::server::test {

std::string databaseSnapshot(const std::string& database);

}  // namespace qz::server::test

// Changes to the database layout after its first version, applied in order on start. The
// number of steps already applied is kept in the database (SQLite's user_version), so a
// database of any older server is brought up to date once and a current one is left alone.
#pragma once

#include "sqlite_db.hpp"

namespace qz::server {

void migrate(Database& db);

}  // namespace qz::server

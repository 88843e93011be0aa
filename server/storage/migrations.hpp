// The database schema as numbered steps. A database records the last step it has taken;
// on start every step after that runs, each in the transaction that records it, on both
// engines alike. New steps go at the end; a step never changes once released.
#pragma once

#include "sql/sql_connection.hpp"

namespace qz::server {

// Brings the database up to the newest step. Several instances starting at once take
// turns; the first runs the steps, the others find them done.
void migrate(SqlConnection& connection);

// The newest step.
int schemaVersion();

}  // namespace qz::server

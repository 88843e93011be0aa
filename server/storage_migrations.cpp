#include "storage_migrations.hpp"

#include "log.hpp"

#include <iterator>
#include <string>

namespace qz::server {

namespace {

// Never edit a step once released: databases in use have applied it. Add a new one.
const char* const kSteps[] = {
    // 1: every name's latest successful login and the address it came from.
    R"(CREATE TABLE logins(name TEXT PRIMARY KEY, address TEXT NOT NULL, at REAL NOT NULL);
CREATE INDEX logins_by_address ON logins(address, at);)",
    // 2: a channel password is only ever shown as "*", so only whether there is one is kept.
    R"(ALTER TABLE channels ADD COLUMN has_password INT NOT NULL DEFAULT 0;
UPDATE channels SET has_password = (password IS NOT NULL AND password <> '');
ALTER TABLE channels DROP COLUMN password;)",
    // 3: the address a channel was created from: its host comes from there, and it counts
    // towards that address's open channels.
    R"(ALTER TABLE channels ADD COLUMN creator TEXT NOT NULL DEFAULT '';
CREATE INDEX channels_by_creator ON channels(creator);)",
};

int appliedSteps(Database& db) {
    Statement query = db.prepare("PRAGMA user_version");
    return query.step() ? query.columnInt(0) : 0;
}

}  // namespace

void migrate(Database& db) {
    const int steps = static_cast<int>(std::size(kSteps));
    while (true) {
        // The version is read inside the transaction: another server starting on the same
        // database at the same moment finds the step done and does not repeat it.
        db.execute("BEGIN IMMEDIATE");
        int step = 0;
        try {
            step = appliedSteps(db) + 1;
            if (step > steps) {
                db.execute("COMMIT");
                return;
            }
            db.execute(kSteps[step - 1]);
            db.execute(("PRAGMA user_version = " + std::to_string(step)).c_str());
            db.execute("COMMIT");
        } catch (...) {
            db.execute("ROLLBACK");
            throw;
        }
        logLine(LogLevel::info, "database layout updated to version " + std::to_string(step));
    }
}

}  // namespace qz::server

#include "storage/migrations.hpp"

#include "base/log.hpp"

#include <memory>

namespace qz::server {

namespace {

// "{key}" is the engine's key column that numbers itself, "{compact}" SQLite's table
// option for tables keyed by their primary key; everything else is common SQL.
const char* const kSteps[] = {
    // 1: the first schema; IF NOT EXISTS adopts SQLite files from before numbered steps.
    R"(
CREATE TABLE IF NOT EXISTS accounts(name TEXT PRIMARY KEY, credential TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS channels(sid TEXT PRIMARY KEY, name TEXT, password TEXT, version TEXT, host TEXT,
  max_players INT, stars INT, started INT, background INT);
CREATE TABLE IF NOT EXISTS slots(sid TEXT, slot INT, name TEXT, colour INT, ready INT,
  PRIMARY KEY(sid, slot)){compact};
CREATE TABLE IF NOT EXISTS systems(sid TEXT, idx INT, name TEXT, x INT, y INT, owner INT, type INT,
  population INT, supply INT, research INT, trade INT, shipyard INT, shield INT, fortification INT, attacked INT,
  PRIMARY KEY(sid, idx)){compact};
CREATE TABLE IF NOT EXISTS players(sid TEXT, slot INT, type TEXT, hull TEXT, shield TEXT, docked TEXT,
  location TEXT, route TEXT, fleet TEXT, x TEXT, y TEXT, firepower TEXT, highest_fleet TEXT, trade_routes TEXT,
  PRIMARY KEY(sid, slot)){compact};
CREATE TABLE IF NOT EXISTS agreements(sid TEXT, from_slot INT, to_slot INT, offered INT, told INT,
  PRIMARY KEY(sid, from_slot, to_slot)){compact};
CREATE TABLE IF NOT EXISTS chat(seq {key}, sid TEXT, sender INT, text TEXT);
CREATE INDEX IF NOT EXISTS chat_by_channel ON chat(sid, seq);
)",
    // 2: every name's latest successful login and the address it came from.
    R"(
CREATE TABLE logins(name TEXT PRIMARY KEY, address TEXT NOT NULL, at DOUBLE PRECISION NOT NULL);
CREATE INDEX logins_by_address ON logins(address, at);
)",
    // 3: a channel password is only ever shown as "*", so only whether there is one is kept.
    R"(
ALTER TABLE channels ADD COLUMN has_password INT NOT NULL DEFAULT 0;
UPDATE channels SET has_password = CASE WHEN password IS NOT NULL AND password <> '' THEN 1 ELSE 0 END;
ALTER TABLE channels DROP COLUMN password;
)",
    // 4: the address a channel was created from: its host comes from there, and it counts
    // towards that address's open channels.
    R"(
ALTER TABLE channels ADD COLUMN creator TEXT NOT NULL DEFAULT '';
CREATE INDEX channels_by_creator ON channels(creator);
)",
    // 5: several instances share the database. A channel's revision tells an instance
    // whether what it holds in memory is still current; the times of the last polls and
    // of the lobby's remembered seats live here so that any instance can sweep.
    R"(
ALTER TABLE channels ADD COLUMN revision BIGINT NOT NULL DEFAULT 0;
ALTER TABLE channels ADD COLUMN empty_since DOUBLE PRECISION NOT NULL DEFAULT -1;
ALTER TABLE slots ADD COLUMN last_poll DOUBLE PRECISION NOT NULL DEFAULT 0;
CREATE TABLE previous_slots(sid TEXT, name TEXT, slot INT, PRIMARY KEY(sid, name)){compact};
)",
    // 6: what each address did lately (failed logins, registrations, channel creations), for
    // the per-address rates that every instance must see alike.
    R"(
CREATE TABLE address_events(address TEXT NOT NULL, kind INT NOT NULL, at DOUBLE PRECISION NOT NULL);
CREATE INDEX address_events_by_address ON address_events(address, kind, at);
CREATE INDEX address_events_by_time ON address_events(at);
)",
    // 7: when a game started, which bounds the shields and fortifications its players report.
    R"(
ALTER TABLE channels ADD COLUMN started_at DOUBLE PRECISION NOT NULL DEFAULT 0;
)",
    // 8: an operator's ban: the account may not log in or play until then (server clock).
    R"(
ALTER TABLE accounts ADD COLUMN banned_until DOUBLE PRECISION NOT NULL DEFAULT 0;
)",
    // 9: a running game's player the sweep found silent, announced to the others once.
    R"(
ALTER TABLE slots ADD COLUMN away INT NOT NULL DEFAULT 0;
)",
    // 10: each seat's private block, apart from the ship lists so that neither is written
    // again when only the other changed.
    R"(
CREATE TABLE private_blocks(sid TEXT, slot INT, block TEXT NOT NULL, PRIMARY KEY(sid, slot)){compact};
)",
    // 11: recordings of running games: one row per game, and its entries (a full state or
    // the changes against the one before, compressed, as base64), written with the change
    // each records, numbered per game so that an entry costs one insert into one tree;
    // they outlive their channel until the sweep deletes them.
    R"(
CREATE TABLE recordings(id {key}, sid TEXT NOT NULL UNIQUE, channel TEXT NOT NULL, players TEXT NOT NULL,
  started_at DOUBLE PRECISION NOT NULL);
CREATE TABLE recording_entries(sid TEXT NOT NULL, seq BIGINT NOT NULL, at DOUBLE PRECISION NOT NULL,
  kind INT NOT NULL, revision BIGINT NOT NULL, data TEXT NOT NULL, PRIMARY KEY(sid, seq)){compact};
)",
    // 12: spectators of running games: how long ago the state they see stood (chosen by the
    // lobby's creator, 0: none), and who watches now, so that every instance counts them alike.
    R"(
ALTER TABLE channels ADD COLUMN spectator_delay INT NOT NULL DEFAULT 60;
CREATE TABLE spectators(sid TEXT NOT NULL, name TEXT NOT NULL, last_poll DOUBLE PRECISION NOT NULL,
  PRIMARY KEY(sid, name)){compact};
)",
};

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string forEngine(const char* step, Engine engine) {
    const bool sqlite = engine == Engine::sqlite;
    std::string sql = replaceAll(step, "{key}", sqlite ? "INTEGER PRIMARY KEY AUTOINCREMENT" : "BIGSERIAL PRIMARY KEY");
    return replaceAll(std::move(sql), "{compact}", sqlite ? " WITHOUT ROWID" : "");
}

// SQLite files of the server version that counted its steps after the first in SQLite's
// user_version, before this table existed.
int stepsCountedBySqlite(SqlConnection& connection) {
    std::unique_ptr<SqlRows> rows = connection.query("PRAGMA user_version", {});
    const int counted = rows->next() ? static_cast<int>(rows->integer(0)) : 0;
    return counted > 0 ? counted + 1 : 0;
}

}  // namespace

int schemaVersion() { return static_cast<int>(std::size(kSteps)); }

void migrate(SqlConnection& connection) {
    connection.begin();
    try {
        // SQLite's transaction already holds the write lock; PostgreSQL instances queue here.
        if (connection.engine() == Engine::postgres) connection.execute("SELECT pg_advisory_xact_lock(7151000)");
        connection.execute("CREATE TABLE IF NOT EXISTS schema_version(version INT NOT NULL)");
        int current = 0;
        {
            std::unique_ptr<SqlRows> rows = connection.query("SELECT MAX(version) FROM schema_version", {});
            if (rows->next()) current = static_cast<int>(rows->integer(0));
        }
        if (current == 0 && connection.engine() == Engine::sqlite) current = stepsCountedBySqlite(connection);
        for (int step = current + 1; step <= schemaVersion(); ++step) {
            connection.execute(forEngine(kSteps[step - 1], connection.engine()));
            connection.run("INSERT INTO schema_version(version) VALUES(?)", {step});
            logLine(LogLevel::info, "database schema step " + std::to_string(step) + " done");
        }
        connection.commit();
    } catch (...) {
        connection.rollback();
        throw;
    }
}

}  // namespace qz::server

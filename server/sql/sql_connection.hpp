// One connection to the database, whichever engine holds it. Statements are SQL text with
// "?" placeholders; each engine prepares a text once per connection and keeps it.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qz::server {

enum class Engine { sqlite, postgres };

// The database cannot be reached (down, restarting, network gone). The request gets
// "Datenbank nicht erreichbar"; the connection that saw it is dropped and made anew.
class DatabaseUnavailable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A value bound to one placeholder. Text is code page 437 bytes (names and chat); a UTF8
// database gets it converted.
struct SqlParam {
    enum class Kind { integer, real, text } kind;
    long long integer = 0;
    double real = 0;
    std::string_view text;

    SqlParam(int value) : kind(Kind::integer), integer(value) {}
    SqlParam(long long value) : kind(Kind::integer), integer(value) {}
    SqlParam(double value) : kind(Kind::real), real(value) {}
    SqlParam(std::string_view value) : kind(Kind::text), text(value) {}
    SqlParam(const std::string& value) : kind(Kind::text), text(value) {}
    SqlParam(const char* value) : kind(Kind::text), text(value) {}
};

// The rows of one query, read front to back.
class SqlRows {
public:
    virtual ~SqlRows() = default;
    // Moves to the next row: false when there is none.
    virtual bool next() = 0;
    virtual int columns() const = 0;
    virtual long long integer(int column) const = 0;
    virtual double real(int column) const = 0;
    virtual std::string text(int column) const = 0;
};

class SqlConnection {
public:
    virtual ~SqlConnection() = default;
    virtual Engine engine() const = 0;
    // Runs statements without parameters (schema changes).
    virtual void execute(const std::string& sql) = 0;
    virtual std::unique_ptr<SqlRows> query(const std::string& sql, const std::vector<SqlParam>& params) = 0;
    // A transaction that holds the write lock from its start (SQLite) or takes row locks
    // as it goes (PostgreSQL).
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() noexcept = 0;
    // True once the connection is lost; the pool then replaces it.
    virtual bool broken() = 0;
    // Runs a statement whose rows nobody reads. PostgreSQL sends it together with the next
    // query or the commit, in one round trip, so its error, if any, comes from there.
    virtual void run(const std::string& sql, const std::vector<SqlParam>& params) = 0;
};

// "postgresql://..." or "postgres://..." selects PostgreSQL; anything else is a SQLite file
// (":memory:" for tests).
Engine engineOf(std::string_view database);

// Opens a connection; throws DatabaseUnavailable when the server cannot be reached.
std::unique_ptr<SqlConnection> connectDatabase(const std::string& database);

}  // namespace qz::server

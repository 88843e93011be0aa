// A PostgreSQL connection through libpq, with statements prepared once per connection.
// Statements whose rows nobody reads wait and go out with the next query or the commit in
// one pipeline: a request costs two round trips to the database, however much it writes,
// and one when it writes nothing (the commit of a transaction that only read is not waited
// for; its answer is read before the connection's next statement).
#pragma once

#include "sql/sql_connection.hpp"

#include <chrono>
#include <string>
#include <unordered_map>
#include <vector>

struct pg_conn;
struct pg_result;

namespace qz::server {

class PostgresConnection : public SqlConnection {
public:
    // Throws DatabaseUnavailable when the server cannot be reached.
    explicit PostgresConnection(const std::string& url);
    ~PostgresConnection() override;
    PostgresConnection(const PostgresConnection&) = delete;
    PostgresConnection& operator=(const PostgresConnection&) = delete;

    Engine engine() const override { return Engine::postgres; }
    void execute(const std::string& sql) override;
    std::unique_ptr<SqlRows> query(const std::string& sql, const std::vector<SqlParam>& params) override;
    void begin() override;
    void commit() override;
    void rollback() noexcept override;
    bool broken() override;
    void run(const std::string& sql, const std::vector<SqlParam>& params) override;

private:
    struct Pending {
        std::string sql;
        std::vector<std::string> values;
        std::vector<int> formats;
    };
    Pending pending(const std::string& sql, const std::vector<SqlParam>& params) const;
    // Sends the waiting statements and then `last`, reads every result and returns the
    // last one (the caller owns it). Throws for the first that failed.
    pg_result* flush(Pending* last);
    // Throws for a failed result (and frees it); returns it otherwise.
    pg_result* check(pg_result* result, const char* what);
    // Reads the answer of a commit sent without waiting.
    void readUnanswered();
    // Every wait for the server ends at the round trip's deadline: libpq alone would wait
    // for a server that stopped answering for as long as TCP keeps the connection.
    void startRoundTrip();
    void sendQueued();             // what libpq holds for the server, all of it
    pg_result* nextResult();       // the next result, waiting for it
    bool awaitSocket(short events);  // false at the deadline
    // Marks the connection as not to be used again and throws DatabaseUnavailable.
    [[noreturn]] void lose(const std::string& why);

    pg_conn* connection_ = nullptr;
    std::unordered_map<std::string, std::string> prepared_;  // SQL text -> statement name
    std::vector<Pending> pending_;
    int nextName_ = 0;
    bool utf8_ = false;  // the database is UTF8: text is converted from and to code page 437
    bool lost_ = false;  // the pipeline fell out of step: the connection is not used again
    bool wrote_ = false;       // the transaction sent a statement that may write
    bool unanswered_ = false;  // a read-only transaction's commit is on its way
    std::chrono::steady_clock::time_point deadline_{};  // of the current round trip
};

// A connection to `url`: a PostgresConnection, or, in a server built without PostgreSQL
// (postgres_absent.cpp, the Windows build), std::invalid_argument saying so.
std::unique_ptr<SqlConnection> connectPostgres(const std::string& url);

}  // namespace qz::server

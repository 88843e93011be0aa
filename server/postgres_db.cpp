#include "postgres_db.hpp"

#include <libpq-fe.h>

#include <charconv>
#include <cstdlib>
#include <cstring>

namespace qz::server {

namespace {

class PostgresRows : public SqlRows {
public:
    explicit PostgresRows(PGresult* result) : result_(result), count_(PQntuples(result)) {}
    ~PostgresRows() override { PQclear(result_); }
    PostgresRows(const PostgresRows&) = delete;
    PostgresRows& operator=(const PostgresRows&) = delete;

    bool next() override { return ++row_ < count_; }
    int columns() const override { return PQnfields(result_); }
    long long integer(int column) const override { return std::strtoll(PQgetvalue(result_, row_, column), nullptr, 10); }
    double real(int column) const override { return std::strtod(PQgetvalue(result_, row_, column), nullptr); }
    std::string text(int column) const override {
        return std::string(PQgetvalue(result_, row_, column),
                           static_cast<std::size_t>(PQgetlength(result_, row_, column)));
    }

private:
    PGresult* result_;
    int count_;
    int row_ = -1;
};

// "?" placeholders become "$1", "$2", ... (the statements hold no "?" inside literals).
std::string numberPlaceholders(const std::string& sql) {
    std::string out;
    out.reserve(sql.size() + 16);
    int n = 0;
    for (char c : sql) {
        if (c == '?') {
            out += '$';
            out += std::to_string(++n);
        } else {
            out += c;
        }
    }
    return out;
}

// Errors of class 08 (connection), 57P01 to 57P03 (server shutting down or starting) and a
// lost connection mean the database is away, not that the request was wrong.
bool unavailable(PGconn* connection, const PGresult* result) {
    if (PQstatus(connection) != CONNECTION_OK) return true;
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    if (!state) return result == nullptr;
    return std::strncmp(state, "08", 2) == 0 || std::strncmp(state, "57P0", 4) == 0;
}

}  // namespace

PostgresConnection::PostgresConnection(const std::string& url) {
    // A database that does not answer within a few seconds counts as away.
    // (the connection string comes second, so that it may set its own).
    const char* keys[] = {"connect_timeout", "dbname", nullptr};
    const char* values[] = {"3", url.c_str(), nullptr};
    connection_ = PQconnectdbParams(keys, values, 1);
    if (!connection_ || PQstatus(connection_) != CONNECTION_OK) {
        const std::string message = connection_ ? PQerrorMessage(connection_) : "out of memory";
        PQfinish(connection_);
        connection_ = nullptr;
        throw DatabaseUnavailable("cannot connect to PostgreSQL: " + message);
    }
    PQsetnonblocking(connection_, 0);
    // Names and chat travel as bytes (code page 437 or UTF-8), which only SQL_ASCII keeps as they are.
    const char* encoding = PQparameterStatus(connection_, "server_encoding");
    if (!encoding || std::strcmp(encoding, "SQL_ASCII") != 0) {
        const std::string found = encoding ? encoding : "unknown";
        PQfinish(connection_);
        connection_ = nullptr;
        throw std::runtime_error("the PostgreSQL database must be created with ENCODING 'SQL_ASCII' (it has " +
                                 found + "); see the README");
    }
}

PostgresConnection::~PostgresConnection() { PQfinish(connection_); }

bool PostgresConnection::broken() const { return PQstatus(connection_) != CONNECTION_OK; }

PGresult* PostgresConnection::check(PGresult* result, const char* what) {
    const ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return result;
    const bool away = unavailable(connection_, result);
    std::string message = std::string(what) + ": " + (result ? PQresultErrorMessage(result) : PQerrorMessage(connection_));
    while (!message.empty() && message.back() == '\n') message.pop_back();
    PQclear(result);
    if (away) throw DatabaseUnavailable(message);
    throw std::runtime_error(message);
}

void PostgresConnection::execute(const std::string& sql) { PQclear(check(PQexec(connection_, sql.c_str()), "sql")); }

void PostgresConnection::rollback() noexcept {
    if (PQstatus(connection_) == CONNECTION_OK) PQclear(PQexec(connection_, "ROLLBACK"));
}

std::unique_ptr<SqlRows> PostgresConnection::query(const std::string& sql, const std::vector<SqlParam>& params) {
    auto found = prepared_.find(sql);
    if (found == prepared_.end()) {
        const std::string name = "q" + std::to_string(prepared_.size());
        PQclear(check(PQprepare(connection_, name.c_str(), numberPlaceholders(sql).c_str(), 0, nullptr), "prepare"));
        found = prepared_.emplace(sql, name).first;
    }
    std::vector<std::string> numbers;
    numbers.reserve(params.size());
    std::vector<const char*> values(params.size());
    std::vector<int> lengths(params.size());
    std::vector<int> formats(params.size(), 0);
    for (std::size_t i = 0; i < params.size(); ++i) {
        const SqlParam& p = params[i];
        if (p.kind == SqlParam::Kind::text) {
            values[i] = p.text.data();
            lengths[i] = static_cast<int>(p.text.size());
            // Text parameters need not end with a zero byte in binary format.
            formats[i] = 1;
            continue;
        }
        char buffer[40];
        const auto end = p.kind == SqlParam::Kind::integer ? std::to_chars(buffer, buffer + sizeof buffer, p.integer).ptr
                                                           : std::to_chars(buffer, buffer + sizeof buffer, p.real).ptr;
        numbers.emplace_back(buffer, end);
    }
    for (std::size_t i = 0, k = 0; i < params.size(); ++i) {
        if (params[i].kind == SqlParam::Kind::text) continue;
        values[i] = numbers[k].c_str();
        lengths[i] = static_cast<int>(numbers[k].size());
        ++k;
    }
    PGresult* result = PQexecPrepared(connection_, found->second.c_str(), static_cast<int>(params.size()),
                                      values.data(), lengths.data(), formats.data(), 0);
    return std::make_unique<PostgresRows>(check(result, "query"));
}

}  // namespace qz::server

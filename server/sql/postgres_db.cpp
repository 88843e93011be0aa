#include "sql/postgres_db.hpp"

#include "base/code_page_437.hpp"
#include "sql/deadline.hpp"

#include <libpq-fe.h>

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>

namespace qz::server {

namespace {

class PostgresRows : public SqlRows {
public:
    PostgresRows(PGresult* result, bool utf8) : result_(result), count_(PQntuples(result)), utf8_(utf8) {}
    ~PostgresRows() override { PQclear(result_); }
    PostgresRows(const PostgresRows&) = delete;
    PostgresRows& operator=(const PostgresRows&) = delete;

    bool next() override { return ++row_ < count_; }
    int columns() const override { return PQnfields(result_); }
    long long integer(int column) const override { return std::strtoll(PQgetvalue(result_, row_, column), nullptr, 10); }
    double real(int column) const override { return std::strtod(PQgetvalue(result_, row_, column), nullptr); }
    std::string text(int column) const override {
        const std::string_view value(PQgetvalue(result_, row_, column),
                                     static_cast<std::size_t>(PQgetlength(result_, row_, column)));
        return utf8_ && !isAscii(value) ? utf8ToCp437(value) : std::string(value);
    }

private:
    PGresult* result_;
    int count_;
    bool utf8_;
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
// So are 55P03 (a row lock not had within lock_timeout: its holder may be an instance
// whose machine died) and 57014 (a statement cancelled at statement_timeout).
bool unavailable(PGconn* connection, const PGresult* result) {
    if (PQstatus(connection) != CONNECTION_OK) return true;
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    if (!state) return result == nullptr;
    return std::strncmp(state, "08", 2) == 0 || std::strncmp(state, "57P0", 4) == 0 ||
           std::strcmp(state, "55P03") == 0 || std::strcmp(state, "57014") == 0;
}

// The server's own limits, below the client's deadline for a request (kRequestDatabaseTime)
// so that a slow statement or a lock wait ends with the server's error while the connection
// stays usable. A transaction of ours left open (this instance lost its power or its
// network) ends after idle_in_transaction_session_timeout, which frees its row locks for
// the other instances.
constexpr const char* kSessionLimits =
    "SET statement_timeout = 4000; SET lock_timeout = 3000; SET idle_in_transaction_session_timeout = 10000";
constexpr auto kRoundTripTime = std::chrono::seconds(5);

}  // namespace

PostgresConnection::PostgresConnection(const std::string& url) {
    // A database that does not answer within a few seconds counts as away, and a connection
    // whose packets go unanswered (the network is cut) is given up within seconds too
    // (the connection string comes last, so that it may set its own).
    const char* keys[] = {"connect_timeout", "keepalives",      "keepalives_idle", "keepalives_interval",
                          "keepalives_count", "tcp_user_timeout", "dbname",          nullptr};
    const char* values[] = {"3", "1", "5", "2", "2", "5000", url.c_str(), nullptr};
    connection_ = PQconnectdbParams(keys, values, 1);
    if (!connection_ || PQstatus(connection_) != CONNECTION_OK) {
        const std::string message = connection_ ? PQerrorMessage(connection_) : "out of memory";
        PQfinish(connection_);
        connection_ = nullptr;
        throw DatabaseUnavailable("cannot connect to PostgreSQL: " + message);
    }
    // The server's notices ("already exists, skipping" when instances start together) are
    // no news for the operator.
    PQsetNoticeProcessor(connection_, [](void*, const char*) {}, nullptr);
    PGresult* limits = PQexec(connection_, kSessionLimits);
    const bool limited = PQresultStatus(limits) == PGRES_COMMAND_OK;
    PQclear(limits);
    // Sending never blocks either: a stuck server stops reading, and a large request would
    // otherwise wait for room in the socket for ever.
    if (!limited || PQsetnonblocking(connection_, 1) != 0) {
        const std::string message = PQerrorMessage(connection_);
        PQfinish(connection_);
        connection_ = nullptr;
        throw DatabaseUnavailable("cannot set up the PostgreSQL connection: " + message);
    }
    // Names and chat are code page 437 bytes. A UTF8 database holds them as UTF-8, converted
    // here both ways; SQL_ASCII keeps bytes as they are. Other encodings cannot hold every
    // byte (or would need a table of their own).
    const char* encoding = PQparameterStatus(connection_, "server_encoding");
    const std::string found = encoding ? encoding : "unknown";
    utf8_ = found == "UTF8";
    if ((!utf8_ && found != "SQL_ASCII") || (utf8_ && PQsetClientEncoding(connection_, "UTF8") != 0)) {
        PQfinish(connection_);
        connection_ = nullptr;
        throw std::runtime_error("the PostgreSQL database must be in UTF8 or SQL_ASCII (it has " + found +
                                 "); see the README");
    }
}

PostgresConnection::~PostgresConnection() { PQfinish(connection_); }

bool PostgresConnection::broken() {
    // Reading what is waiting notices a connection the server has closed meanwhile (it
    // restarted), before a request counts on it.
    if (lost_ || PQstatus(connection_) != CONNECTION_OK) return true;
    return PQconsumeInput(connection_) == 0 || PQstatus(connection_) != CONNECTION_OK;
}

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

PostgresConnection::Pending PostgresConnection::pending(const std::string& sql,
                                                       const std::vector<SqlParam>& params) const {
    Pending p{sql, {}, {}};
    p.values.reserve(params.size());
    for (const SqlParam& param : params) {
        if (param.kind == SqlParam::Kind::text) {
            // Binary text goes as it is, in the database's encoding.
            if (utf8_ && !isAscii(param.text)) {
                p.values.push_back(cp437ToUtf8(param.text));
            } else {
                p.values.emplace_back(param.text);
            }
            p.formats.push_back(1);
            continue;
        }
        char buffer[40];
        const auto end = param.kind == SqlParam::Kind::integer
                             ? std::to_chars(buffer, buffer + sizeof buffer, param.integer).ptr
                             : std::to_chars(buffer, buffer + sizeof buffer, param.real).ptr;
        p.values.emplace_back(buffer, end);
        p.formats.push_back(0);
    }
    return p;
}

void PostgresConnection::begin() {
    wrote_ = false;
    pending_.push_back(Pending{"BEGIN", {}, {}});
}

void PostgresConnection::commit() {
    if (wrote_ || !pending_.empty()) {
        pending_.push_back(Pending{"COMMIT", {}, {}});
        PQclear(flush(nullptr));
        return;
    }
    // Nothing was written, so nothing waits on the answer but the row locks, which the
    // server frees as soon as the commit arrives: the request need not wait a round trip.
    startRoundTrip();
    readUnanswered();
    if (PQenterPipelineMode(connection_) != 1 || PQsendQueryParams(connection_, "COMMIT", 0, nullptr, nullptr, nullptr,
                                                                   nullptr, 0) != 1 ||
        PQpipelineSync(connection_) != 1) {
        lose("cannot send");
    }
    sendQueued();
    unanswered_ = true;
}

void PostgresConnection::readUnanswered() {
    if (!unanswered_) return;
    unanswered_ = false;
    // The commit's result, the null that ends it, then the sync.
    PQclear(nextResult());
    while (PGresult* more = nextResult()) PQclear(more);
    PGresult* sync = nextResult();
    const bool synced = sync && PQresultStatus(sync) == PGRES_PIPELINE_SYNC;
    PQclear(sync);
    if (!synced || PQexitPipelineMode(connection_) != 1) lose("connection lost");
}

void PostgresConnection::startRoundTrip() {
    deadline_ = std::min(std::chrono::steady_clock::now() + kRoundTripTime, DatabaseDeadline::current());
}

bool PostgresConnection::awaitSocket(short events) {
    while (true) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ -
                                                                                std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd socket{PQsocket(connection_), events, 0};
        const int ready = ::poll(&socket, 1, static_cast<int>(left.count()));
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return false;
    }
}

void PostgresConnection::sendQueued() {
    while (true) {
        const int left = PQflush(connection_);
        if (left == 0) return;
        if (left < 0) lose("cannot send");
        // The server may answer while we still send; reading makes room for it.
        if (!awaitSocket(POLLOUT | POLLIN)) lose("no room to send within the time limit");
        if (PQconsumeInput(connection_) == 0) lose("connection lost");
    }
}

PGresult* PostgresConnection::nextResult() {
    while (PQisBusy(connection_)) {
        if (!awaitSocket(POLLIN)) lose("no answer within the time limit");
        if (PQconsumeInput(connection_) == 0) lose("connection lost");
    }
    return PQgetResult(connection_);
}

void PostgresConnection::lose(const std::string& why) {
    lost_ = true;
    throw DatabaseUnavailable(why + ": " + PQerrorMessage(connection_));
}

void PostgresConnection::run(const std::string& sql, const std::vector<SqlParam>& params) {
    wrote_ = true;
    pending_.push_back(pending(sql, params));
}

void PostgresConnection::execute(const std::string& sql) {
    if (!pending_.empty()) PQclear(flush(nullptr));
    readUnanswered();
    wrote_ = true;
    PQclear(check(PQexec(connection_, sql.c_str()), "sql"));
}

void PostgresConnection::rollback() noexcept {
    pending_.clear();
    try {
        readUnanswered();
    } catch (const DatabaseUnavailable&) {
        return;
    }
    if (lost_ || PQstatus(connection_) != CONNECTION_OK) return;
    try {
        startRoundTrip();
        if (PQsendQuery(connection_, "ROLLBACK") != 1) lose("cannot send");
        sendQueued();
        while (PGresult* result = nextResult()) PQclear(result);
    } catch (const DatabaseUnavailable&) {
        // Marked lost: the pool drops it, and the server rolls back when it notices.
    }
}

std::unique_ptr<SqlRows> PostgresConnection::query(const std::string& sql, const std::vector<SqlParam>& params) {
    Pending last = pending(sql, params);
    return std::make_unique<PostgresRows>(flush(&last), utf8_);
}

PGresult* PostgresConnection::flush(Pending* last) {
    startRoundTrip();
    readUnanswered();
    std::vector<Pending> batch = std::move(pending_);
    pending_.clear();
    if (last) batch.push_back(std::move(*last));
    if (PQenterPipelineMode(connection_) != 1) lose("cannot send");
    // What went out, in order: a statement's preparation (with its text) or its execution.
    std::vector<std::pair<bool, const std::string*>> sent;
    for (const Pending& p : batch) {
        auto found = prepared_.find(p.sql);
        if (found == prepared_.end()) {
            found = prepared_.emplace(p.sql, "q" + std::to_string(nextName_++)).first;
            if (PQsendPrepare(connection_, found->second.c_str(), numberPlaceholders(p.sql).c_str(), 0, nullptr) != 1) {
                lose("cannot send");
            }
            sent.emplace_back(true, &p.sql);
        }
        std::vector<const char*> values(p.values.size());
        std::vector<int> lengths(p.values.size());
        for (std::size_t i = 0; i < p.values.size(); ++i) {
            values[i] = p.values[i].c_str();
            lengths[i] = static_cast<int>(p.values[i].size());
        }
        if (PQsendQueryPrepared(connection_, found->second.c_str(), static_cast<int>(values.size()), values.data(),
                                lengths.data(), p.formats.data(), 0) != 1) {
            lose("cannot send");
        }
        sent.emplace_back(false, &p.sql);
    }
    if (PQpipelineSync(connection_) != 1) lose("cannot send");
    sendQueued();
    // Held so that a wait that ends the connection (a time limit, a lost socket) frees them.
    const auto clear = [](PGresult* r) { PQclear(r); };
    std::unique_ptr<PGresult, decltype(clear)> result(nullptr, clear), failed(nullptr, clear);
    for (std::size_t i = 0; i < sent.size(); ++i) {
        PGresult* r = nextResult();
        if (!r) lose("connection lost");
        const ExecStatusType status = PQresultStatus(r);
        const bool ok = status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
        if (!ok && sent[i].first) prepared_.erase(*sent[i].second);
        if (!ok && !failed && status != PGRES_PIPELINE_ABORTED) {
            failed.reset(r);
        } else if (ok && i + 1 == sent.size() && last) {
            result.reset(r);
        } else {
            PQclear(r);
        }
        // Each statement's results end with a null.
        while (PGresult* more = nextResult()) PQclear(more);
    }
    PGresult* sync = nextResult();
    const bool synced = sync && PQresultStatus(sync) == PGRES_PIPELINE_SYNC;
    PQclear(sync);
    if (!synced || PQexitPipelineMode(connection_) != 1) {
        if (failed) check(failed.release(), "query");
        lose("pipeline out of step");
    }
    if (failed) check(failed.release(), "query");
    return result.release();
}

std::unique_ptr<SqlConnection> connectPostgres(const std::string& url) {
    return std::make_unique<PostgresConnection>(url);
}

}  // namespace qz::server

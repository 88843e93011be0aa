#include "sql/sqlite_db.hpp"

namespace qz::server {

namespace {

[[noreturn]] void fail(sqlite3* handle, const char* what) {
    throw std::runtime_error(std::string(what) + ": " + (handle ? sqlite3_errmsg(handle) : "no database"));
}

// Steps a cached statement; resets it for its next use when the rows are dropped.
class SqliteRows : public SqlRows {
public:
    explicit SqliteRows(sqlite3_stmt* statement) : statement_(statement) {}
    ~SqliteRows() override {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
    SqliteRows(const SqliteRows&) = delete;
    SqliteRows& operator=(const SqliteRows&) = delete;

    bool next() override {
        const int result = sqlite3_step(statement_);
        if (result == SQLITE_ROW) return true;
        if (result == SQLITE_DONE) return false;
        fail(sqlite3_db_handle(statement_), "step");
    }
    int columns() const override { return sqlite3_column_count(statement_); }
    long long integer(int column) const override { return sqlite3_column_int64(statement_, column); }
    double real(int column) const override { return sqlite3_column_double(statement_, column); }
    std::string text(int column) const override {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
        const int size = sqlite3_column_bytes(statement_, column);
        return text ? std::string(text, static_cast<std::size_t>(size)) : std::string();
    }

private:
    sqlite3_stmt* statement_;
};

}  // namespace

SqliteConnection::SqliteConnection(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &handle_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        std::string message = handle_ ? sqlite3_errmsg(handle_) : "out of memory";
        sqlite3_close(handle_);
        handle_ = nullptr;
        throw std::runtime_error("cannot open database " + path + ": " + message);
    }
    sqlite3_busy_timeout(handle_, 5000);
    execute("PRAGMA journal_mode=WAL");
    // With WAL, NORMAL keeps every committed transaction across a crash of the server
    // process; only a power loss may drop the last ones.
    execute("PRAGMA synchronous=NORMAL");
}

SqliteConnection::~SqliteConnection() {
    for (auto& [sql, statement] : cache_) sqlite3_finalize(statement);
    sqlite3_close(handle_);
}

void SqliteConnection::execute(const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(handle_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::string text = message ? message : "unknown";
        sqlite3_free(message);
        throw std::runtime_error("sql: " + text);
    }
}

void SqliteConnection::rollback() noexcept {
    sqlite3_exec(handle_, "ROLLBACK", nullptr, nullptr, nullptr);
}

std::unique_ptr<SqlRows> SqliteConnection::query(const std::string& sql, const std::vector<SqlParam>& params) {
    auto found = cache_.find(sql);
    if (found == cache_.end()) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v3(handle_, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) !=
            SQLITE_OK) {
            fail(handle_, "prepare");
        }
        found = cache_.emplace(sql, statement).first;
    }
    sqlite3_stmt* statement = found->second;
    auto rows = std::make_unique<SqliteRows>(statement);
    int index = 1;
    for (const SqlParam& p : params) {
        int result = SQLITE_OK;
        switch (p.kind) {
        case SqlParam::Kind::integer: result = sqlite3_bind_int64(statement, index, p.integer); break;
        case SqlParam::Kind::real: result = sqlite3_bind_double(statement, index, p.real); break;
        case SqlParam::Kind::text:
            result = sqlite3_bind_text(statement, index, p.text.data(), static_cast<int>(p.text.size()),
                                       SQLITE_TRANSIENT);
            break;
        }
        if (result != SQLITE_OK) fail(handle_, "bind");
        ++index;
    }
    // Statements without rows run now, so that a caller that drops the result still ran them.
    if (sqlite3_column_count(statement) == 0) rows->next();
    return rows;
}

}  // namespace qz::server

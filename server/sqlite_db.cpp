#include "sqlite_db.hpp"

#include <stdexcept>

namespace qz::server {

namespace {

[[noreturn]] void fail(sqlite3* handle, const char* what) {
    throw std::runtime_error(std::string(what) + ": " + (handle ? sqlite3_errmsg(handle) : "no database"));
}

}  // namespace

Statement::Statement(sqlite3_stmt* statement) : statement_(statement) {}

Statement::~Statement() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

Statement& Statement::bind(int index, int value) {
    if (sqlite3_bind_int(statement_, index, value) != SQLITE_OK) fail(sqlite3_db_handle(statement_), "bind");
    return *this;
}

Statement& Statement::bind(int index, double value) {
    if (sqlite3_bind_double(statement_, index, value) != SQLITE_OK) fail(sqlite3_db_handle(statement_), "bind");
    return *this;
}

Statement& Statement::bind(int index, std::string_view value) {
    if (sqlite3_bind_text(statement_, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT) !=
        SQLITE_OK) {
        fail(sqlite3_db_handle(statement_), "bind");
    }
    return *this;
}

bool Statement::step() {
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW) return true;
    if (result == SQLITE_DONE) return false;
    fail(sqlite3_db_handle(statement_), "step");
}

void Statement::run() {
    while (step()) {
    }
}

int Statement::columnInt(int index) const { return sqlite3_column_int(statement_, index); }

double Statement::columnDouble(int index) const { return sqlite3_column_double(statement_, index); }

std::string Statement::columnText(int index) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, index));
    const int size = sqlite3_column_bytes(statement_, index);
    return text ? std::string(text, static_cast<std::size_t>(size)) : std::string();
}

Database::Database(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &handle_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        std::string message = handle_ ? sqlite3_errmsg(handle_) : "out of memory";
        sqlite3_close(handle_);
        handle_ = nullptr;
        throw std::runtime_error("cannot open database " + path + ": " + message);
    }
    sqlite3_busy_timeout(handle_, 5000);
}

Database::~Database() {
    for (auto& [sql, statement] : cache_) sqlite3_finalize(statement);
    sqlite3_close(handle_);
}

void Database::execute(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(handle_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        std::string text = message ? message : "unknown";
        sqlite3_free(message);
        throw std::runtime_error(std::string("sql: ") + text);
    }
}

Statement Database::prepare(const char* sql) {
    auto found = cache_.find(sql);
    if (found == cache_.end()) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v3(handle_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK) {
            fail(handle_, "prepare");
        }
        found = cache_.emplace(sql, statement).first;
    }
    return Statement(found->second);
}

}  // namespace qz::server

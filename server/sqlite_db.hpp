// A thin owner of one SQLite connection with cached prepared statements.
#pragma once

#include <sqlite3.h>

#include <map>
#include <string>
#include <string_view>

namespace qz::server {

class Statement {
public:
    explicit Statement(sqlite3_stmt* statement);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, int value);
    Statement& bind(int index, double value);
    Statement& bind(int index, std::string_view value);
    // Steps once: true while a row is available.
    bool step();
    // Runs to completion.
    void run();
    int columnInt(int index) const;
    double columnDouble(int index) const;
    std::string columnText(int index) const;

private:
    sqlite3_stmt* statement_;
};

class Database {
public:
    explicit Database(const std::string& path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void execute(const char* sql);
    // A prepared statement reset for a new use; it stays owned by the database.
    Statement prepare(const char* sql);

private:
    sqlite3* handle_ = nullptr;
    std::map<std::string, sqlite3_stmt*> cache_;
};

}  // namespace qz::server

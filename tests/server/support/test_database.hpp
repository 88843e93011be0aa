// The database of one test. A test run selects PostgreSQL by setting QZ_TEST_POSTGRES to
// the file in which its PostgreSQL server (tests/server/postgres.sh) wrote its address;
// every test then gets a fresh database there. Otherwise it is SQLite.
#pragma once

#include "temporary_directory.hpp"

#include <string>

namespace qz::server::test {

// How a PostgreSQL database holds text: UTF8 as `createdb` makes it, or SQL_ASCII (bytes).
enum class PostgresEncoding { utf8, sqlAscii };

class TestDatabase {
public:
    // `sqliteFile` is used when the run is on SQLite (":memory:" for a private one).
    explicit TestDatabase(const std::string& sqliteFile, PostgresEncoding encoding = PostgresEncoding::utf8);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    // What qz-server's --db takes.
    const std::string& name() const { return name_; }
    bool postgres() const { return !adminUrl_.empty(); }

private:
    std::string adminUrl_;  // the server's maintenance database, empty on SQLite
    std::string databaseName_;
    std::string name_;
};

// A PostgreSQL server of one test's own (tests/server/postgres.sh), for a test that stops
// and starts it; removed with the object.
class PostgresServer {
public:
    // Throws, with the script's reason, when it cannot start.
    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    // Its maintenance database, for qz-server's --db.
    std::string url() const;
    void stop();
    void start();
    // Sends `signal` to the server and every process of it (SIGSTOP freezes it as a machine
    // that stopped answering would, SIGCONT lets it go on).
    void signalAll(int signal);

private:
    // Stops the server and removes its cluster, whatever state it is in.
    void destroy() noexcept;

    qz::test::TemporaryDirectory folder_;  // the scripts' output beside the server's own folder
    std::string directory_;
};

// True when this test run is on PostgreSQL.
bool postgresSelected();

// The address of the run's PostgreSQL server without a database name. Throws, saying why,
// when PostgreSQL is selected but its server is not running.
std::string postgresServerUrl();

}  // namespace qz::server::test

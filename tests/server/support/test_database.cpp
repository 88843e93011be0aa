#include "test_database.hpp"

#include "server_process.hpp"
#include "sql/sql_connection.hpp"

#include <atomic>
#include <csignal>
#include <filesystem>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <unistd.h>

namespace qz::server::test {

bool postgresSelected() {
    const char* file = std::getenv("QZ_TEST_POSTGRES");
    return file && *file;
}

std::string postgresServerUrl() {
    const std::string file = std::getenv("QZ_TEST_POSTGRES");
    std::ifstream in(file);
    std::string url;
    if (!std::getline(in, url) || url.empty()) {
        throw std::runtime_error("the PostgreSQL test server is not running: " + file +
                                 " is missing; see the output of the test postgres_start");
    }
    return url;
}

namespace {

void runScript(const std::string& action, const std::string& directory) {
    const std::string command = std::string("bash ") + QZ_POSTGRES_SCRIPT + " " + action + " " + directory + " >" +
                                directory + ".out 2>&1";
    if (std::system(command.c_str()) != 0) {
        std::ifstream in(directory + ".out");
        const std::string output((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        throw std::runtime_error("postgres.sh " + action + " failed: " + output);
    }
}

}  // namespace

PostgresServer::PostgresServer() : directory_(folder_.path() + "/postgres") {
    try {
        start();
    } catch (const std::exception&) {
        // A cluster made but not started still holds its data folder outside ours.
        destroy();
        throw;
    }
}

PostgresServer::~PostgresServer() { destroy(); }

void PostgresServer::destroy() noexcept {
    try {
        runScript("destroy", directory_);
    } catch (const std::exception&) {
        // Nothing more to do about a server that will not go; its folder is temporary.
    }
}

std::string PostgresServer::url() const {
    std::ifstream in(directory_ + "/url");
    std::string url;
    std::getline(in, url);
    return url + "/postgres";
}

void PostgresServer::stop() { runScript("stop", directory_); }

void PostgresServer::start() { runScript("start", directory_); }

void PostgresServer::signalAll(int signal) {
    std::ifstream datadir(directory_ + "/datadir");
    std::string data;
    std::getline(datadir, data);
    std::ifstream pidFile(data + "/postmaster.pid");
    pid_t postmaster = 0;
    if (!(pidFile >> postmaster) || postmaster <= 0) throw std::runtime_error("no postmaster.pid in " + data);
    ::kill(postmaster, signal);
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string pid, name, state;
        pid_t parent = 0;
        // The name in field 2 holds no space for PostgreSQL's processes.
        if (stat >> pid >> name >> state >> parent && parent == postmaster) ::kill(std::stoi(pid), signal);
    }
}

TestDatabase::TestDatabase(const std::string& sqliteFile, PostgresEncoding encoding) {
    if (!postgresSelected()) {
        name_ = sqliteFile;
        return;
    }
    const std::string server = postgresServerUrl();
    adminUrl_ = server + "/postgres";
    static std::atomic<int> counter{0};
    std::random_device random;
    databaseName_ = "qz_" + std::to_string(getpid()) + "_" + std::to_string(counter++) + "_" +
                    std::to_string(random() % 100000);
    connectDatabase(adminUrl_)->execute("CREATE DATABASE " + databaseName_ +
                                        (encoding == PostgresEncoding::sqlAscii
                                             ? " ENCODING 'SQL_ASCII' LC_COLLATE 'C' LC_CTYPE 'C' TEMPLATE template0"
                                             : ""));
    name_ = server + "/" + databaseName_;
}

TestDatabase::~TestDatabase() {
    if (adminUrl_.empty()) return;
    try {
        connectDatabase(adminUrl_)->execute("DROP DATABASE IF EXISTS " + databaseName_ + " WITH (FORCE)");
    } catch (const std::exception&) {
        // The server is gone already; its folder goes with it.
    }
}

}  // namespace qz::server::test

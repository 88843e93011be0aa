// A test with the real qz-server running on a free loopback port and its own database.
#pragma once

#include "db_snapshot.hpp"
#include "http_client.hpp"
#include "scenario.hpp"
#include "server_process.hpp"
#include "temporary_directory.hpp"
#include "test_database.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace qz::server::test {

class ServerFixture : public ::testing::Test {
protected:
    void SetUp() override {
        testDatabase_ = std::make_unique<TestDatabase>(directory_ + "/qz-server.db");
        database_ = testDatabase_->name();
        server_ = std::make_unique<ServerProcess>(database_, options(), logPath(), openFileLimit(), environment());
    }

    void TearDown() override {
        server_.reset();
        testDatabase_.reset();
    }

    // Extra command-line options of the server under test.
    virtual std::vector<std::string> options() const { return {}; }
    // The server's descriptor limit; 0 leaves it as it is.
    virtual int openFileLimit() const { return 0; }
    // "NAME=VALUE" entries of the server's environment.
    virtual std::vector<std::string> environment() const { return {}; }

    std::string send(const std::string& sessionId, const Pairs& pairs) { return post(port(), sessionId, pairs); }
    std::string sendFrom(const char* from, const std::string& sessionId, const Pairs& pairs) {
        return post(port(), sessionId, pairs, from);
    }
    Send sender() {
        return [this](const std::string& sessionId, const Pairs& pairs) { return send(sessionId, pairs); };
    }
    int port() const { return server_->port(); }
    std::string snapshot() const { return databaseSnapshot(database_); }
    void restart() {
        ASSERT_TRUE(server_->stop()) << server_->log();
        server_ = std::make_unique<ServerProcess>(database_, options(), logPath(), openFileLimit(), environment());
    }
    std::string logPath() const { return directory_ + "/server.log"; }

    TemporaryDirectory temporary_;
    const std::string directory_ = temporary_.path();
    std::unique_ptr<TestDatabase> testDatabase_;
    std::string database_;
    std::unique_ptr<ServerProcess> server_;
};

}  // namespace qz::server::test

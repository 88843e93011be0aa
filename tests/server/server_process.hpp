// The real qz-server as a child process on a free loopback port, with its own database
// and its log in a file.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace qz::server::test {

class ServerProcess {
public:
    // Starts the server on the given database with extra options and waits until it listens.
    ServerProcess(const std::string& database, const std::vector<std::string>& extraOptions = {});
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    int port() const { return port_; }
    std::string log() const;
    // SIGTERM and wait; true when it ended with exit code 0.
    bool stop();

private:
    pid_t pid_ = -1;
    int port_ = 0;
    std::string logPath_;
};

// Runs qz-server with these arguments to completion; returns its exit code.
int runServerCommand(const std::vector<std::string>& arguments);

// A fresh directory under the system's temporary folder.
std::string temporaryDirectory();

}  // namespace qz::server::test

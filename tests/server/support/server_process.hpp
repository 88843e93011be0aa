// The real qz-server as a child process on a free loopback port, with its database and
// its log in a file.
#pragma once

#include "temporary_directory.hpp"

#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace qz::server::test {

using qz::test::TemporaryDirectory;

class ServerProcess {
public:
    // Starts the server on the given database with extra options and waits until it listens.
    // The log goes to `logPath`, by default beside a SQLite file or into a folder of its own
    // that goes with the object; a positive `openFileLimit` caps the descriptors the server
    // may hold.
    // `environment` holds "NAME=VALUE" entries set for the server only.
    ServerProcess(const std::string& database, const std::vector<std::string>& extraOptions = {},
                  std::string logPath = {}, int openFileLimit = 0, const std::vector<std::string>& environment = {});
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    int port() const { return port_; }
    // The admin listener's port (on a free one unless the options say otherwise; 0: off).
    int adminPort() const { return adminPort_; }
    pid_t pid() const { return pid_; }
    std::string log() const;
    // SIGTERM and wait; true when it ended with exit code 0.
    bool stop();
    // SIGKILL: the process ends at once, in the middle of whatever it does.
    void kill();

private:
    pid_t pid_ = -1;
    int port_ = 0;
    int adminPort_ = 0;
    std::unique_ptr<TemporaryDirectory> logDirectory_;
    std::string logPath_;
};

// Runs qz-server with these arguments to completion, with `input` on its standard input;
// returns its exit code. `output`, when given, receives what it wrote (both streams).
int runServerCommand(const std::vector<std::string>& arguments, const std::string& input = "",
                     std::string* output = nullptr);

// Seconds of processor time the process has used so far.
double processorSeconds(pid_t pid);
// The most memory the process has held so far (VmHWM), in KiB.
long peakMemoryKiB(pid_t pid);

}  // namespace qz::server::test

// A real HAProxy in front of a test's qz-server, configured as the README shows: HTTP mode
// with `option forwardfor`, on a free loopback port of its own.
#pragma once

#include <string>
#include <sys/types.h>

namespace qz::server::test {

class HaproxyProcess {
public:
    // Empty when no haproxy binary is installed: the reason a test skips.
    static std::string missing();

    // Starts it in the foreground, forwarding to the qz-server on `backendPort`, with its
    // configuration and log in `directory`; waits until it accepts connections.
    HaproxyProcess(int backendPort, const std::string& directory);
    ~HaproxyProcess();
    HaproxyProcess(const HaproxyProcess&) = delete;
    HaproxyProcess& operator=(const HaproxyProcess&) = delete;

    int port() const { return port_; }

private:
    pid_t pid_ = -1;
    int port_ = 0;
};

}  // namespace qz::server::test

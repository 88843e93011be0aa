#include "haproxy_process.hpp"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace qz::server::test {

namespace {

const char* const kSearchPath[] = {"/usr/sbin/haproxy", "/usr/local/sbin/haproxy", "/usr/bin/haproxy"};

std::string binary() {
    for (const char* path : kSearchPath) {
        if (access(path, X_OK) == 0) return path;
    }
    return {};
}

// A loopback port nobody listens on at the moment.
int freePort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        close(fd);
        throw std::runtime_error("no free loopback port");
    }
    close(fd);
    return ntohs(address.sin_port);
}

bool accepting(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return connected;
}

}  // namespace

std::string HaproxyProcess::missing() {
    return binary().empty() ? "haproxy is not installed (Debian package haproxy, listed in scripts/packages.txt)"
                            : std::string();
}

HaproxyProcess::HaproxyProcess(int backendPort, const std::string& directory) : port_(freePort()) {
    const std::string config = directory + "/haproxy.cfg";
    std::ofstream(config) << "global\n"
                             "    maxconn 256\n"
                             "defaults\n"
                             "    mode http\n"
                             "    timeout connect 2s\n"
                             "    timeout client 15s\n"
                             "    timeout server 15s\n"
                             "frontend qz\n"
                             "    bind 127.0.0.1:"
                          << port_
                          << "\n"
                             "    option forwardfor\n"
                             "    default_backend qz_servers\n"
                             "backend qz_servers\n"
                             "    server a 127.0.0.1:"
                          << backendPort << "\n";
    const std::string path = binary();
    const std::string log = directory + "/haproxy.log";
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (out >= 0) {
            dup2(out, STDOUT_FILENO);
            dup2(out, STDERR_FILENO);
        }
        execl(path.c_str(), path.c_str(), "-db", "-f", config.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!accepting(port_)) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            std::ifstream in(log);
            throw std::runtime_error("haproxy ended at start: " + std::string(std::istreambuf_iterator<char>(in), {}));
        }
        if (std::chrono::steady_clock::now() > deadline) throw std::runtime_error("haproxy did not start listening");
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

HaproxyProcess::~HaproxyProcess() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

}  // namespace qz::server::test

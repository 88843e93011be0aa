#include "server_process.hpp"
#include "datei_inhalt.hpp"

#include "sql/sql_connection.hpp"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace qz::server::test {

namespace {

pid_t launch(const std::vector<std::string>& arguments, const std::string& logPath, int inputFd = -1,
             int openFileLimit = 0, std::vector<std::string> environment = {}) {
    // QZ_TEST_SERVER names a program started in the server's place with the same arguments:
    // scripts/windows-server.sh runs the Windows build's qz-server.exe under Wine that way.
    const char* other = std::getenv("QZ_TEST_SERVER");
    std::vector<std::string> all = {other != nullptr && *other != '\0' ? other : QZ_SERVER_EXECUTABLE};
    all.insert(all.end(), arguments.begin(), arguments.end());
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        if (inputFd >= 0) dup2(inputFd, STDIN_FILENO);
        if (openFileLimit > 0) {
            const rlimit limit{static_cast<rlim_t>(openFileLimit), static_cast<rlim_t>(openFileLimit)};
            setrlimit(RLIMIT_NOFILE, &limit);
        }
        const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (log >= 0) {
            dup2(log, STDERR_FILENO);
            dup2(log, STDOUT_FILENO);
        }
        for (std::string& entry : environment) putenv(entry.data());
        std::vector<char*> argv;
        for (std::string& a : all) argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

std::string readFile(const std::string& path) { return qz::test::dateiInhalt(path); }

}  // namespace

ServerProcess::ServerProcess(const std::string& database, const std::vector<std::string>& extraOptions,
                             std::string logPath, int openFileLimit, const std::vector<std::string>& environment)
    : logPath_(std::move(logPath)) {
    if (logPath_.empty() && engineOf(database) == Engine::sqlite) logPath_ = database + ".log";
    if (logPath_.empty()) {
        logDirectory_ = std::make_unique<TemporaryDirectory>();
        logPath_ = logDirectory_->path() + "/server.log";
    }
    std::vector<std::string> arguments = {"--bind", "127.0.0.1", "--port", "0", "--db", database,
                                          "--hash-cost", "minimum", "--threads", "2", "--admin-listen", "127.0.0.1:0"};
    arguments.insert(arguments.end(), extraOptions.begin(), extraOptions.end());
    const bool admin = arguments[arguments.size() - 1] != "off" ||
                       arguments[arguments.size() - 2] != "--admin-listen";
    const std::size_t logStart = readFile(logPath_).size();
    pid_ = launch(arguments, logPath_, -1, openFileLimit, environment);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        const std::string text = readFile(logPath_).substr(logStart);
        // "listening on ADDRESS:PORT", the address being whatever --bind named (IPv6 has colons too);
        // the admin listener's line follows unless it is off.
        const std::size_t at = text.find("listening on ");
        const std::size_t end = at == std::string::npos ? at : text.find('\n', at);
        const std::size_t adminAt = text.find("admin listening on ");
        const std::size_t adminEnd = adminAt == std::string::npos ? adminAt : text.find('\n', adminAt);
        if (end != std::string::npos && (!admin || adminEnd != std::string::npos)) {
            port_ = std::atoi(text.c_str() + text.rfind(':', end) + 1);
            if (admin) adminPort_ = std::atoi(text.c_str() + text.rfind(':', adminEnd) + 1);
            return;
        }
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            throw std::runtime_error("qz-server ended at start: " + text);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    stop();
    throw std::runtime_error("qz-server did not start listening");
}

ServerProcess::~ServerProcess() { stop(); }

std::string ServerProcess::log() const { return readFile(logPath_); }

bool ServerProcess::stop() {
    if (pid_ <= 0) return false;
    ::kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void ServerProcess::kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

int runServerCommand(const std::vector<std::string>& arguments, const std::string& input, std::string* output) {
    const TemporaryDirectory directory;
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    const pid_t pid = launch(arguments, directory.path() + "/command.log", pipeFds[0]);
    close(pipeFds[0]);
    // Closed and waited for before any throw: a command left reading its input would outlive the test.
    const bool written =
        input.empty() || write(pipeFds[1], input.data(), input.size()) == static_cast<ssize_t>(input.size());
    close(pipeFds[1]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!written) throw std::runtime_error("cannot write the command's input");
    if (output) *output = readFile(directory.path() + "/command.log");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

double processorSeconds(pid_t pid) {
    std::istringstream stat(readFile("/proc/" + std::to_string(pid) + "/stat"));
    std::string field;
    // Fields 14 and 15 (user and system time); the name in field 2 holds no space here.
    for (int i = 1; i <= 13; ++i) stat >> field;
    long user = 0;
    long system = 0;
    stat >> user >> system;
    return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long peakMemoryKiB(pid_t pid) {
    const std::string status = readFile("/proc/" + std::to_string(pid) + "/status");
    const std::size_t at = status.find("VmHWM:");
    return at == std::string::npos ? -1 : std::atol(status.c_str() + at + 6);
}

}  // namespace qz::server::test

#include "platform/kindprozess.hpp"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string_view>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace qz {

namespace {

// Only async-signal-safe calls between fork and exec: the game has threads.
[[noreturn]] void imKind(const std::vector<char*>& argv, char* const* envp, const char* protokoll, pid_t eltern,
                         int meldung) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != eltern) _exit(127);  // the game ended before the line above took hold
    const int leer = open("/dev/null", O_RDONLY);
    if (leer >= 0) dup2(leer, STDIN_FILENO);
    const int log = open(protokoll, O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (log >= 0) {
        dup2(log, STDOUT_FILENO);
        dup2(log, STDERR_FILENO);
    }
    execve(argv[0], argv.data(), envp);
    const int fehler = errno;
    [[maybe_unused]] const ssize_t geschrieben = write(meldung, &fehler, sizeof fehler);
    _exit(127);
}

}  // namespace

Kindprozess::Kindprozess(const std::filesystem::path& programm, const std::vector<std::string>& argumente,
                         const std::filesystem::path& protokoll, const std::vector<std::string>& umgebung) {
    std::vector<std::string> alle = {programm.string()};
    alle.insert(alle.end(), argumente.begin(), argumente.end());
    std::vector<char*> argv;
    for (std::string& a : alle) argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string log = protokoll.string();
    // The child's environment is made here: between fork and exec nothing may allocate.
    std::vector<std::string> eintraege = umgebung;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string_view vorhanden(*e);
        const std::string_view name = vorhanden.substr(0, vorhanden.find('=') + 1);  // "NAME="
        const bool ersetzt = std::any_of(umgebung.begin(), umgebung.end(),
                                         [&](const std::string& neu) { return neu.starts_with(name); });
        if (!ersetzt) eintraege.emplace_back(vorhanden);
    }
    std::vector<char*> envp;
    for (std::string& e : eintraege) envp.push_back(e.data());
    envp.push_back(nullptr);
    // The child reports a failed exec through this pipe; a successful exec closes it unread.
    int meldung[2];
    if (pipe2(meldung, O_CLOEXEC) != 0) throw std::runtime_error("Kein Prozess startbar: " + programm.string());
    const pid_t eltern = getpid();
    pid_ = fork();
    if (pid_ == 0) imKind(argv, envp.data(), log.c_str(), eltern, meldung[1]);
    close(meldung[1]);
    if (pid_ < 0) {
        close(meldung[0]);
        throw std::runtime_error("Kein Prozess startbar: " + programm.string());
    }
    int fehler = 0;
    ssize_t gelesen;
    do {
        gelesen = read(meldung[0], &fehler, sizeof fehler);
    } while (gelesen < 0 && errno == EINTR);
    close(meldung[0]);
    if (gelesen > 0) {
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
        throw std::runtime_error(programm.string() + ": " + std::strerror(fehler));
    }
}

Kindprozess::~Kindprozess() { beenden(); }

Kindprozess::Kindprozess(Kindprozess&& anderer) noexcept : pid_(anderer.pid_), status_(anderer.status_) {
    anderer.pid_ = -1;
}

Kindprozess& Kindprozess::operator=(Kindprozess&& anderer) noexcept {
    if (this != &anderer) {
        beenden();
        pid_ = anderer.pid_;
        status_ = anderer.status_;
        anderer.pid_ = -1;
    }
    return *this;
}

bool Kindprozess::laeuft() {
    if (pid_ <= 0) return false;
    if (waitpid(pid_, &status_, WNOHANG) == pid_) {
        pid_ = -1;
        return false;
    }
    return true;
}

void Kindprozess::anstossen() {
    if (laeuft()) kill(pid_, SIGTERM);
}

bool Kindprozess::beenden(std::chrono::milliseconds frist) {
    if (laeuft()) {
        kill(pid_, SIGTERM);
        const auto ende = std::chrono::steady_clock::now() + frist;
        while (laeuft() && std::chrono::steady_clock::now() < ende) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status_, 0);
            pid_ = -1;
        }
    }
    return WIFEXITED(status_) && WEXITSTATUS(status_) == 0;
}

}  // namespace qz

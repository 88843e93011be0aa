// A child program the game runs beside itself (its private server, computer players). It is
// started directly, never through a shell, so no argument is ever read as shell syntax. The
// owner ends it: the destructor stops and reaps it, so a child never outlives the object that
// started it, also when an error unwinds the stack. Should the game itself die without
// unwinding, the kernel sends the child SIGTERM (start it from the main thread: the signal
// follows the thread that started it); on Windows every child sits in the game's job object,
// which the system closes with the game, ending the children with it.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace qz {

class Kindprozess {
public:
    Kindprozess() = default;
    // Starts `programm` with `argumente`; its standard output and error are appended to
    // `protokoll`, its standard input is /dev/null. `umgebung` holds "NAME=VALUE" entries the
    // child gets beside the game's own environment (a secret goes there: unlike the command
    // line, only the own account can read a process's environment). Throws
    // std::runtime_error naming the program when it cannot be started (missing, not
    // executable, no process left).
    Kindprozess(const std::filesystem::path& programm, const std::vector<std::string>& argumente,
                const std::filesystem::path& protokoll, const std::vector<std::string>& umgebung = {});
    ~Kindprozess();
    Kindprozess(Kindprozess&& anderer) noexcept;
    Kindprozess& operator=(Kindprozess&& anderer) noexcept;
    Kindprozess(const Kindprozess&) = delete;
    Kindprozess& operator=(const Kindprozess&) = delete;

    // True while the child runs; a child that ended on its own is reaped here.
    bool laeuft();
    pid_t kennung() const { return pid_; }
    // The child has been reaped after ending with an exit code other than 0, or by a signal.
    bool gescheitert() const { return pid_ < 0 && status_ != 0; }
    // SIGTERM without waiting, so that several children stop side by side: the owner then
    // waits for them together with beenden(). Windows has no signal for a program without a
    // window: there the request is an event named for the child (see ende_wunsch.hpp).
    void anstossen();
    // SIGTERM (on Windows the event), then SIGKILL (TerminateProcess) when it has not ended
    // within `frist`; returns once it is reaped. True when it ended on its own terms with
    // exit code 0.
    bool beenden(std::chrono::milliseconds frist = std::chrono::seconds(3));

private:
    pid_t pid_ = -1;
    int status_ = 0;
#ifdef _WIN32
    void* prozess_ = nullptr;  // the process handle while it runs
    void* ende_ = nullptr;     // the event that asks it to end, while it runs
#endif
};

}  // namespace qz

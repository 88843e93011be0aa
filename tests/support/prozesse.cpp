#include "prozesse.hpp"

#include <cerrno>
#include <csignal>

namespace qz::test {

bool gibtEs(pid_t pid) { return ::kill(pid, 0) == 0 || errno != ESRCH; }

}  // namespace qz::test

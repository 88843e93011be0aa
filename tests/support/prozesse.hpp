// Whether a process still exists (a zombie not yet reaped counts): what the tests of child
// processes ask after their owner has gone.
#pragma once

#include <sys/types.h>

namespace qz::test {

bool gibtEs(pid_t pid);

}  // namespace qz::test

// A console program asked to end from outside: Ctrl+C and SIGTERM, on Windows also Ctrl+Break
// and the closing of its console window (or the user's logging off). The request only sets
// the flag; the program finishes what it does and ends at its next look. On Windows the
// system waits for that up to its own limit (5 s) once the console closes. A child of the
// game on Windows has no console anybody could close and gets no signal: the game asks it
// through an event named for the child's process id, which the game makes before the child
// runs (ende_ereignis_windows.hpp).
#pragma once

#include <atomic>

namespace qz {

// From now on a request to end sets `gewuenscht`, which lives as long as the program.
void endeWunschMelden(std::atomic<bool>& gewuenscht);

}  // namespace qz

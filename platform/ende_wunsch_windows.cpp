#include "platform/ende_wunsch.hpp"

#include <windows.h>

namespace qz {

namespace {

std::atomic<bool>* gGewuenscht = nullptr;

// Runs on a thread of its own. Returning from a closing console's event ends the process at
// once, so that thread waits instead: the program ends on its own meanwhile, or the system
// ends it at its limit.
BOOL WINAPI gemeldet(DWORD ereignis)
{
    if (gGewuenscht) *gGewuenscht = true;
    if (ereignis == CTRL_CLOSE_EVENT || ereignis == CTRL_LOGOFF_EVENT || ereignis == CTRL_SHUTDOWN_EVENT)
        Sleep(INFINITE);
    return TRUE;
}

}  // namespace

void endeWunschMelden(std::atomic<bool>& gewuenscht)
{
    gGewuenscht = &gewuenscht;
    SetConsoleCtrlHandler(gemeldet, TRUE);
}

}  // namespace qz

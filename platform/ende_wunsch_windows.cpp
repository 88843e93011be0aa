#include "platform/ende_wunsch.hpp"
#include "platform/ende_ereignis_windows.hpp"

#include <windows.h>

#include <thread>

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
    // Started by the game: its request to end comes through the event.
    const HANDLE ereignis = OpenEventW(SYNCHRONIZE, FALSE, endeEreignisName(GetCurrentProcessId()).c_str());
    if (ereignis) {
        std::thread([ereignis] {
            if (WaitForSingleObject(ereignis, INFINITE) == WAIT_OBJECT_0 && gGewuenscht) *gGewuenscht = true;
        }).detach();
    }
}

}  // namespace qz

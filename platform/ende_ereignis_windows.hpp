// Windows only. How the game asks a child program to end: Windows has no signal for a program
// without a window, and the game's children have a console nobody sees, so no Ctrl+C either.
// The game makes a manual-reset event named for the child's process id while the child is
// still suspended; the child opens it at its start and ends when it is set. qz-server, which
// links no game code, spells the same name in server/http/http_server.cpp.
#pragma once

#include <string>

namespace qz {

inline std::wstring endeEreignisName(unsigned long kennung)
{
    return L"Local\\qz-ende-" + std::to_wstring(kennung);
}

}  // namespace qz

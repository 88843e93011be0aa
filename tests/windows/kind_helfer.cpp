// The child of the process tests on Windows: writes its arguments one per line, as its C
// runtime split them, and then waits as many seconds as the first argument says. With the
// first argument "bitte" it waits instead until it is asked to end, says "gebeten" and ends.
#include "platform/ende_wunsch.hpp"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) std::printf("%s\n", argv[i]);
    std::fflush(stdout);
    if (argc > 1 && std::strcmp(argv[1], "bitte") == 0) {
        static std::atomic<bool> gewuenscht{false};
        qz::endeWunschMelden(gewuenscht);
        for (int i = 0; i < 600 && !gewuenscht; ++i) Sleep(100);
        std::printf(gewuenscht ? "gebeten\n" : "nicht gebeten\n");
        return gewuenscht ? 0 : 1;
    }
    if (argc > 1) Sleep(static_cast<DWORD>(std::atoi(argv[1])) * 1000);
    return 0;
}

// The child of the process tests on Windows: writes its arguments one per line, as its C
// runtime split them, and then waits as many seconds as the first argument says.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) std::printf("%s\n", argv[i]);
    std::fflush(stdout);
    if (argc > 1) Sleep(static_cast<DWORD>(std::atoi(argv[1])) * 1000);
    return 0;
}

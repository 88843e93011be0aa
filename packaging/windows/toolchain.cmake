# 64-bit Windows (10 and later) through Debian's mingw-w64 cross compiler, in its POSIX thread
# variant: the game's std::thread, std::mutex and std::condition_variable need it (the win32
# variant has none). QZ_WINDOWS_PREFIX is the folder scripts/windows.sh builds the libraries into.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 10.0)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QZ_WINDOWS_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QZ_WINDOWS_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QZ_WINDOWS_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QZ_WINDOWS_TRIPLE}-windres)
set(CMAKE_AR ${QZ_WINDOWS_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${QZ_WINDOWS_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries and headers come from the target's folders only, programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${QZ_WINDOWS_TRIPLE})
if(DEFINED ENV{QZ_WINDOWS_PREFIX})
  list(PREPEND CMAKE_FIND_ROOT_PATH $ENV{QZ_WINDOWS_PREFIX})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows 10 is the oldest system the game runs on; everything links statically, so the
# executables need no DLL beside them but the system's own.
add_compile_definitions(_WIN32_WINNT=0x0A00 WINVER=0x0A00)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests and tools built for Windows run under Wine on the build machine.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)

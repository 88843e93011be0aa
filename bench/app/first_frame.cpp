// Preloaded into the real qz by frame_pacing.sh: prints the wall-clock time at which the first
// frame (the main menu) has been presented, and the processor time spent until then, so the
// script can take the start-up time from the launch to the first drawn main menu without the
// game measuring itself.
#include <SDL2/SDL.h>

#include <dlfcn.h>

#include <cstdio>
#include <ctime>

extern "C" void SDL_RenderPresent(SDL_Renderer* renderer)
{
    using Present = void (*)(SDL_Renderer*);
    static const Present echt = reinterpret_cast<Present>(dlsym(RTLD_NEXT, "SDL_RenderPresent"));
    static bool erster = true;
    echt(renderer);
    if (!erster) return;
    erster = false;
    timespec jetzt{}, rechenzeit{};
    clock_gettime(CLOCK_REALTIME, &jetzt);
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &rechenzeit);
    std::fprintf(stderr, "first frame at %lld.%09ld after %lld.%09ld s of processor time\n",
                 static_cast<long long>(jetzt.tv_sec), jetzt.tv_nsec, static_cast<long long>(rechenzeit.tv_sec),
                 rechenzeit.tv_nsec);
}

// Preloaded into the real qz by frame_pacing.sh: prints the wall-clock time at which the first
// frame (the main menu) has been presented, so the script can take the start-up time from the
// launch to the first drawn main menu without the game measuring itself.
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
    timespec jetzt{};
    clock_gettime(CLOCK_REALTIME, &jetzt);
    std::fprintf(stderr, "first frame at %lld.%09ld\n", static_cast<long long>(jetzt.tv_sec), jetzt.tv_nsec);
}

#include "platform/platform.hpp"

#include <atomic>
#include <cstring>

namespace qz {

namespace {
std::atomic<Platform*> gActive{nullptr};
}

Platform* activePlatform() { return gActive.load(); }
void setActivePlatform(Platform* platform) { gActive.store(platform); }

void Platform::screenUnlock()
{
    if (lockDepth_ > 0 && --lockDepth_ == 0) present();
}

// xorshift64*: fast, good enough for game chance, and reproducible from a seed.
double Platform::rnd()
{
    rng_ ^= rng_ >> 12;
    rng_ ^= rng_ << 25;
    rng_ ^= rng_ >> 27;
    return static_cast<double>((rng_ * 0x2545F4914F6CDD1Dull) >> 11) * (1.0 / 9007199254740992.0);
}

void Platform::randomize(double seed)
{
    unsigned long long bits;
    std::memcpy(&bits, &seed, sizeof bits);
    rng_ = bits ^ 0x9E3779B97F4A7C15ull;
    if (rng_ == 0) rng_ = 1;
    for (int i = 0; i < 4; ++i) rnd();
}

}  // namespace qz

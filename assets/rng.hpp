// Deterministic random numbers for the generator: SplitMix64, identical on every machine and
// compiler (the standard library's distributions are not), so the same seed gives the same files.
#pragma once

#include <cstdint>

namespace qz::assets {

class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // Integer uniformly from lo to hi inclusive.
    int between(int lo, int hi) { return lo + static_cast<int>(uniform() * (hi - lo + 1)); }
    // Roughly normal (sum of four uniforms), mean 0, deviation 1.
    double gauss() { return (uniform() + uniform() + uniform() + uniform() - 2.0) * 1.7320508; }

private:
    std::uint64_t state_;
};

// Seed of one picture or sound: the project seed mixed with a kind and an index.
constexpr std::uint64_t seedFor(std::uint64_t kind, std::uint64_t index)
{
    return 0x515A2026C0FFEEull ^ (kind * 0x100000001B3ull) ^ (index * 0x9E3779B97F4A7C15ull);
}

}  // namespace qz::assets

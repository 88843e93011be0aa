// One map frame of blits as the running game draws it, against a plain memcpy of three full
// frames (the bandwidth bound of the copy plus two overlays). Prints the ratio; target: 4x.
#include "platform/image.hpp"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using namespace qz;

struct Scene {
    ImagePtr screen = imageCreate(1024, 768, 0);
    ImagePtr background = imageCreate(2560, 1600, 0xFF101020);
    ImagePtr scan = imageCreate(2560, 1600);
    ImagePtr trade = imageCreate(2560, 1600);
    ImagePtr ship = imageCreate(32, 32);

    Scene()
    {
        for (int i = 0; i < 200; ++i) {
            circle(*scan, (i * 137) % 2560, (i * 71) % 1600, 120, 0xFF00FF00, false);
            line(*trade, (i * 37) % 2560, (i * 53) % 1600, (i * 91) % 2560, (i * 29) % 1600, 0xFFFFFF00);
        }
        circle(*ship, 16, 16, 12, 0xFFC0C0C0, true);
    }

    void drawFrame(int sx, int sy)
    {
        put(*screen, 0, 0, background.get(), PutMode::Copy, SourceRect{sx, sy, 1024, 768});
        put(*screen, 0, 0, scan.get(), PutMode::Transparent, SourceRect{sx, sy, 1024, 768});
        put(*screen, 0, 0, trade.get(), PutMode::Transparent, SourceRect{sx, sy, 1024, 768});
        for (int i = 0; i < 300; ++i) put(*screen, (i * 97) % 1000, (i * 61) % 740, ship.get(), PutMode::Transparent);
        for (int i = 0; i < 300; ++i) drawText(*screen, (i * 53) % 900, (i * 37) % 750, "Planet X123", 0xFFFFFFFF);
    }
};

void BM_MapFrame(benchmark::State& state)
{
    Scene scene;
    int k = 0;
    for (auto _ : state) {
        scene.drawFrame(k % 1536, k % 832);
        benchmark::DoNotOptimize(scene.screen->pixels.data());
        ++k;
    }
}
BENCHMARK(BM_MapFrame)->Unit(benchmark::kMicrosecond);

void BM_MemcpyThreeFrames(benchmark::State& state)
{
    std::vector<Farbe> src(1024 * 768 * 3, 1), dst(1024 * 768 * 3);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), src.size() * sizeof(Farbe));
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyThreeFrames)->Unit(benchmark::kMicrosecond);

double bestOf(int runs, const std::function<void()>& f)
{
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        f();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Scene scene;
    std::vector<Farbe> src(1024 * 768 * 3, 1), dst(1024 * 768 * 3);
    double frame = bestOf(50, [&] { scene.drawFrame(100, 100); });
    double copy = bestOf(50, [&] {
        std::memcpy(dst.data(), src.data(), src.size() * sizeof(Farbe));
        benchmark::DoNotOptimize(dst.data());
    });
    std::printf("map frame: %.3f ms, memcpy of three frames: %.3f ms, ratio %.2fx (target <= 4x)\n", frame * 1e3,
                copy * 1e3, frame / copy);
    return 0;
}

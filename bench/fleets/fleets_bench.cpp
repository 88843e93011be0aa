// Fleet hot paths, each printed as a ratio to a reference measured in the same run:
// - one route step, direct rasterisation against the scratch image of the whole map (target:
//   at least 1,000,000 steps per second);
// - join plus cut of 10,000 ships against a plain copy of the thirteen lists' text (target:
//   under 2 ms);
// - a full sandbox map frame with 500 ships in 60 fleets against copying three frames (target:
//   at most 4 ms).
#include "bench/sandbox/belebte_karte.hpp"
#include "fleets/route.hpp"
#include "sandbox/sandkasten.hpp"
#include "state/schiffslisten.hpp"
#include "platform/headless/headless_platform.hpp"
#include "tests/fleets/route_referenz.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using namespace qz;

// A fleet flying back and forth across the map; each call is one step.
struct Flug {
    int status = 1, cx = 100, cy = 100, tx = 2400, ty = 1300;
    std::string route;
    template <class Schritt>
    void schritt(Schritt&& f)
    {
        f(status, 2560, 1600, cx, cy, tx, ty, route);
        if (status == 2) {
            std::swap(tx, cx);
            std::swap(ty, cy);
            tx += 16;
            ty += 16;
            cx -= 16;
            cy -= 16;
            status = 1;
            route.clear();
        }
        if (route.size() > 4096) route.clear();
    }
};

void BM_RoutenschrittDirekt(benchmark::State& state)
{
    Flug flug;
    for (auto _ : state) {
        flug.schritt(routenSchritt);
        benchmark::DoNotOptimize(flug.cx);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RoutenschrittDirekt);

void BM_RoutenschrittBild(benchmark::State& state)
{
    Flug flug;
    for (auto _ : state) {
        flug.schritt(referenz::routenSchritt);
        benchmark::DoNotOptimize(flug.cx);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RoutenschrittBild)->Unit(benchmark::kMillisecond);

SchiffListen zehntausend()
{
    SchiffListen listen;
    std::array<long long, kSchiffsfelder> w{};
    for (int k = 1; k <= 10000; ++k) {
        w[kTyp] = 1 + k % 8;
        w[kHuelle] = 450 + k % 800;
        w[kSchild] = k % 500;
        w[kAngedockt] = k % 3 == 0 ? 1 + k % 200 : 0;
        w[kOrt] = k % 200;
        w[kZiel] = k % 200;
        w[kX] = 30 + k % 2500;
        w[kY] = 30 + k % 1500;
        w[kZielX] = w[kX];
        w[kZielY] = w[kY];
        w[kFeuerkraft] = 25 + k % 170;
        w[kFlotte] = 1 + k % 700;
        schiffAnhaengen(listen, w);
    }
    return listen;
}

struct Listen {
    SchiffListen listen = zehntausend();
    SchiffSatz satz;
    SchiffListen kopie;
    Listen() { schiffeSchneiden(listen, satz); }
    void verbindenSchneiden()
    {
        schiffeVerbinden(satz, listen);
        schiffeSchneiden(listen, satz);
    }
    void kopieren()
    {
        for (int f = 0; f < kSchiffsfelder; ++f) kopie.liste[f].assign(listen.liste[f]);
    }
};

void BM_Schiffslisten10000(benchmark::State& state)
{
    Listen l;
    for (auto _ : state) {
        l.verbindenSchneiden();
        benchmark::DoNotOptimize(l.satz.anzahl);
    }
}
BENCHMARK(BM_Schiffslisten10000)->Unit(benchmark::kMillisecond);

void BM_ListenKopie10000(benchmark::State& state)
{
    Listen l;
    for (auto _ : state) {
        l.kopieren();
        benchmark::DoNotOptimize(l.kopie.liste[0].data());
    }
}
BENCHMARK(BM_ListenKopie10000)->Unit(benchmark::kMillisecond);

// A running 200-system sandbox, 500 ships in 60 fleets in space around the view (some moving),
// one fleet selected with its range circle.
struct KartenFrame {
    HeadlessPlatform platform;
    Rahmen r{platform};
    Spielstand spiel;
    Bildquellen quellen{[](const std::string&) { return imageCreate(2560, 1600, 0xFF101030); },
                        [](const std::string&) { return imageCreate(32, 32, 0xFF00FF00); }};
    Speichermenue speicher;

    KartenFrame()
    {
        platform.screenOpen(1024, 768, 32);
        for (int k = 1; k <= 23; ++k) r.Oberflaechenbild(k) = imageCreate(156, 25, 0xFF202020);
        r.Programmzustand = "sandkasten";
        belebteKarte(r, spiel, quellen);
        pass();
    }
    void pass()
    {
        sandkastenScreen(r, spiel, quellen, speicher);
        platform.advance(0.002);
    }
};

void BM_Kartenframe500Schiffe(benchmark::State& state)
{
    KartenFrame frame;
    for (auto _ : state) {
        frame.pass();
        benchmark::DoNotOptimize(frame.platform.screen().pixels.data());
    }
}
BENCHMARK(BM_Kartenframe500Schiffe)->Unit(benchmark::kMillisecond);

double median(int runs, const std::function<void()>& f)
{
    std::vector<double> zeiten;
    for (int i = 0; i < runs; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        f();
        zeiten.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    std::nth_element(zeiten.begin(), zeiten.begin() + runs / 2, zeiten.end());
    return zeiten[static_cast<std::size_t>(runs / 2)];
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();

    Flug direkt, bild;
    const double schritt = median(21, [&] {
                               for (int i = 0; i < 100000; ++i) direkt.schritt(routenSchritt);
                               benchmark::DoNotOptimize(direkt.cx);
                           }) / 100000;
    const double bildSchritt = median(21, [&] { bild.schritt(referenz::routenSchritt); });

    Listen listen;
    const double verbinden = median(51, [&] { listen.verbindenSchneiden(); });
    const double kopie = median(51, [&] { listen.kopieren(); });

    KartenFrame karte;
    std::vector<Farbe> src(1024 * 768 * 3, 1), dst(1024 * 768 * 3);
    const double frame = median(201, [&] { karte.pass(); });
    const double drei = median(201, [&] {
        std::memcpy(dst.data(), src.data(), src.size() * sizeof(Farbe));
        benchmark::DoNotOptimize(dst.data());
    });

    std::printf("route step: %.0f steps/s direct (target 1,000,000), scratch image %.3f ms per step, "
                "ratio %.0fx faster\n",
                1.0 / schritt, bildSchritt * 1e3, bildSchritt / schritt);
    std::printf("join and cut of 10,000 ships: %.3f ms median (target under 2 ms), copying their text %.3f ms, "
                "ratio %.2fx\n",
                verbinden * 1e3, kopie * 1e3, verbinden / kopie);
    std::printf("map frame, 500 ships in 60 fleets: %.3f ms median (target 4 ms), memcpy of three frames %.3f ms, "
                "ratio %.2fx\n",
                frame * 1e3, drei * 1e3, frame / drei);
    return 0;
}

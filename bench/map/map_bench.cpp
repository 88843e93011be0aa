// Star-map generation (200 systems; budget 5 ms, with the median number of systems generated
// including rejected ones), one full frame of a running 200-system sandbox on the headless
// backend (budget 3 ms), the frame compared with a memcpy of three full 1024 x 768 x 4 frames,
// and saving and loading that game with 10,000 ships (with the file's size), compared with a
// frame at 60 Hz and with the sandbox frame.
#include "sandbox/sandkasten.hpp"
#include "map/spielstart.hpp"
#include "map/sternkarte.hpp"
#include "sandbox/speicherplaetze.hpp"
#include "state/schiffslisten.hpp"
#include "state/spielstand_datei.hpp"
#include "platform/headless/headless_platform.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <vector>

namespace {

using namespace qz;

struct Karte200 {
    HeadlessPlatform zufall;
    Sternsysteme systeme;
    double seed = 1.0;

    int erzeugen()
    {
        zufall.randomize(seed);
        seed += 1.0;
        const int versuche = systemePlatzieren(zufall, systeme, 200, 1536, 832);
        heimatplanetenSetzen(zufall, systeme, 200, 1, {});
        return versuche;
    }
};

// A running 200-system game with stand-in pictures, 20 own systems and a few trade lines.
struct LaufendesSpiel {
    HeadlessPlatform platform;
    Rahmen r{platform};
    Spielstand spiel;
    Bildquellen quellen{[](const std::string&) { return imageCreate(2560, 1600, 0xFF101030); },
                        [](const std::string&) { return imageCreate(32, 32, 0xFF00FF00); }};
    Speichermenue speicher;

    LaufendesSpiel()
    {
        platform.screenOpen(1024, 768, 32);
        for (int k = 1; k <= 23; ++k) r.Oberflaechenbild(k) = imageCreate(156, 25, 0xFF202020);
        r.Programmzustand = "sandkasten";
        neuesSpielZuruecksetzen(r, spiel);
        spielStarten(r, spiel, quellen);
        for (int i = 1; i <= 200; i += 10) spiel.systeme.besitzer(i) = 1;
        for (int i = 2; i <= 200; i += 3) spiel.systeme.entdecker(i) = 1;
        spiel.karte.handelsliste = ",1,11,11,21,21,31,41,51";
        spiel.karte.handelNeuzeichnen = 1;
        spiel.karte.scanNeuzeichnen = 1;
        spiel.scrollX = 700;
        spiel.scrollY = 400;
        pass();
    }
    void pass()
    {
        sandkastenScreen(r, spiel, quellen, speicher);
        platform.advance(0.002);
    }
};

// 10,000 ships in fleets of eight at the 200 systems: a third docked, a third standing at a
// system, a third in flight with a route of 60 steps on the fleet's first ship.
void flottenAufstellen(Spielstand& spiel)
{
    const Sternsysteme& s = spiel.systeme;
    for (int k = 0; k < 10000; ++k) {
        const int f = k / 8 + 1, sys = f % 200 + 1, ziel = (f * 7) % 200 + 1, art = f % 3;
        const int x = s.pos(sys, 1) - 16, y = s.pos(sys, 2) + 4;
        schiffAnhaengen(spiel.schiffe, {1 + k % 8, 100 + k % 300, k % 120, art == 0 ? sys : 0, art == 2 ? 0 : sys, ziel,
                                        x, y, art == 2 ? s.pos(ziel, 1) - 16 : x, art == 2 ? s.pos(ziel, 2) + 4 : y,
                                        10 + k % 70, f, 0});
    }
    spiel.spieler.hoechsteFlotte(1) = 1250;
    SchiffSatz& satz = spiel.saetze(1);
    schiffeSchneiden(spiel.schiffe, satz);
    for (int k = 1; k <= satz.anzahl; k += 8)
        if (satz.wert(kOrt, k) == 0) satz[kRoute](k) = std::string(20, '1') + std::string(20, '2') + std::string(20, '3') + "9";
    schiffeVerbinden(satz, spiel.schiffe);
}

void BM_Sternkarte200(benchmark::State& state)
{
    Karte200 karte;
    std::vector<int> versuche;
    for (auto _ : state) {
        versuche.push_back(karte.erzeugen());
        benchmark::DoNotOptimize(karte.systeme.pos(200, 1));
    }
    std::nth_element(versuche.begin(), versuche.begin() + versuche.size() / 2, versuche.end());
    state.counters["median_systems_generated"] = versuche[versuche.size() / 2];
}
BENCHMARK(BM_Sternkarte200)->Unit(benchmark::kMillisecond);

void BM_SandboxFrame200(benchmark::State& state)
{
    LaufendesSpiel spiel;
    for (auto _ : state) {
        spiel.pass();
        benchmark::DoNotOptimize(spiel.platform.screen().pixels.data());
    }
}
BENCHMARK(BM_SandboxFrame200)->Unit(benchmark::kMillisecond);

void BM_MemcpyThreeFrames(benchmark::State& state)
{
    std::vector<Farbe> src(1024 * 768 * 3, 1), dst(1024 * 768 * 3);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), src.size() * sizeof(Farbe));
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyThreeFrames)->Unit(benchmark::kMillisecond);

// CPU time of this thread: the machine is shared, and waiting for a core is not the frame's cost.
double cpuSekunden()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Wall-clock time, for work that waits on the disk.
double wandSekunden()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double median(int runs, const std::function<void()>& f, double (*uhr)() = cpuSekunden)
{
    std::vector<double> zeiten;
    for (int i = 0; i < runs; ++i) {
        const double t0 = uhr();
        f();
        zeiten.push_back(uhr() - t0);
    }
    std::nth_element(zeiten.begin(), zeiten.begin() + runs / 2, zeiten.end());
    return zeiten[static_cast<std::size_t>(runs / 2)];
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();

    Karte200 karte;
    std::vector<int> versuche;
    const double erzeugen = median(101, [&] { versuche.push_back(karte.erzeugen()); });
    std::nth_element(versuche.begin(), versuche.begin() + versuche.size() / 2, versuche.end());

    LaufendesSpiel spiel;
    std::vector<Farbe> src(1024 * 768 * 3, 1), dst(1024 * 768 * 3);
    const double frame = median(201, [&] { spiel.pass(); });
    const double kopie = median(201, [&] {
        std::memcpy(dst.data(), src.data(), src.size() * sizeof(Farbe));
        benchmark::DoNotOptimize(dst.data());
    });

    // The save goes into a folder of its own beside the bench, on the disk the game saves to.
    flottenAufstellen(spiel.spiel);
    char vorlage[] = "./qz-bench-spielstand-XXXXXX";
    if (!mkdtemp(vorlage)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path ordner = vorlage;
    const std::filesystem::path pfad = ordner / "spielstand1.qz";
    const double jetzt = spiel.platform.timer();
    const std::string datei = spielstandSchreiben(spiel.spiel, jetzt, 0);
    const double inBytes = median(51, [&] { benchmark::DoNotOptimize(spielstandSchreiben(spiel.spiel, jetzt, 0)); });
    const double aufDieDisk = median(31, [&] { dateiErsetzen(pfad, datei); }, wandSekunden);
    bool gelesen = true;
    const double laden = median(
        51,
        [&] {
            Spielstand neu;
            gelesen = gelesen && spielstandLesen(dateiLesen(pfad).value_or(""), jetzt, neu) == Lesefehler::Keiner;
        },
        wandSekunden);
    std::filesystem::remove_all(ordner);

    std::printf("CPU time medians. star map of 200 systems: %.3f ms (budget 5 ms, %.2f of it), median %d systems "
                "generated\n",
                erzeugen * 1e3, erzeugen / 5e-3, versuche[versuche.size() / 2]);
    std::printf("sandbox frame, 200 systems: %.3f ms median (budget 3 ms), memcpy of three frames %.3f ms, "
                "ratio %.2fx\n",
                frame * 1e3, kopie * 1e3, frame / kopie);
    std::printf("save game of 200 systems and 10,000 ships, %zu bytes. On the game's thread: saving (the game into "
                "bytes) %.2f ms CPU median, loading (read, checked, decoded) %.2f ms wall-clock median%s; of a 60 Hz "
                "frame (16.7 ms) %.2f and %.2f, of the sandbox frame %.1fx and %.1fx. On the writer's thread: "
                "writing, flushing and renaming %.2f ms wall-clock median\n",
                datei.size(), inBytes * 1e3, laden * 1e3, gelesen ? "" : " FAILED TO LOAD", inBytes / (1.0 / 60),
                laden / (1.0 / 60), inBytes / frame, laden / frame, aufDieDisk * 1e3);
    return gelesen ? 0 : 1;
}

// The replay's jump to any day (budget 1 s) on a two-hour recording of four players with 200
// ships each, one player polling every half second and a third of its fleets moving each time,
// a whole state every 5 minutes as the server writes them; against the reader's stateOnDay,
// which applies every entry from the start.
#include "viewer/wiedergabe.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace qz;
using replay::ReplayState;

constexpr int kSchiffe = 200;
constexpr double kStunden = 2;
constexpr long long kVollAlleMs = 300'000;

std::string liste(const std::vector<int>& werte)
{
    std::string text;
    for (int w : werte) text += "," + std::to_string(w);
    return text;
}

replay::Recording zweiStunden()
{
    ReplayState s;
    for (int i = 0; i < 100; ++i) s.systems.push_back({"Planet " + std::to_string(i), 20 * i, 15 * i, 1 + i % 18, i % 5, 100, 200, 0});
    std::vector<std::vector<int>> x(4, std::vector<int>(kSchiffe)), y = x;
    for (int p = 0; p < 4; ++p) {
        replay::Seat& sitz = s.seats[static_cast<std::size_t>(p)];
        sitz.name = "Spieler" + std::to_string(p + 1);
        sitz.colour = p + 1;
        std::vector<int> typ(kSchiffe), flotte(kSchiffe), null(kSchiffe, 0);
        for (int k = 0; k < kSchiffe; ++k) {
            typ[static_cast<std::size_t>(k)] = 1 + k % 8;
            flotte[static_cast<std::size_t>(k)] = 1 + k / 8;
            x[static_cast<std::size_t>(p)][static_cast<std::size_t>(k)] = 100 + 7 * k;
            y[static_cast<std::size_t>(p)][static_cast<std::size_t>(k)] = 100 + 5 * k;
        }
        sitz.texts[replay::type] = liste(typ);
        sitz.texts[replay::fleet] = liste(flotte);
        sitz.texts[replay::docked] = sitz.texts[replay::location] = liste(null);
    }
    replay::Recording r;
    r.channel = "Messung";
    r.players = {"Spieler1", "Spieler2", "Spieler3", "Spieler4"};
    r.entries.push_back({0, replay::EntryKind::full, replay::encodeFull(s)});
    long long letzteVolle = 0;
    for (long long ms = 500; ms <= static_cast<long long>(kStunden * 3600'000); ms += 500) {
        const ReplayState vorher = s;
        const auto p = static_cast<std::size_t>((ms / 500) % 4);
        for (std::size_t k = 0; k < kSchiffe; k += 3) {
            x[p][k] += 2;
            y[p][k] += 1;
        }
        s.seats[p].texts[replay::x] = liste(x[p]);
        s.seats[p].texts[replay::y] = liste(y[p]);
        if (ms % 60'000 == 0) replay::appendChat(s, {static_cast<int>(p) + 1, "Zeile " + std::to_string(ms)});
        if (ms - letzteVolle >= kVollAlleMs) {
            r.entries.push_back({ms, replay::EntryKind::full, replay::encodeFull(s)});
            letzteVolle = ms;
        } else {
            r.entries.push_back({ms, replay::EntryKind::changes, replay::encodeChanges(vorher, s)});
        }
    }
    return r;
}

template <typename Tun>
std::pair<double, double> medianUndHoechstens(const std::vector<long long>& tage, Tun&& tun)
{
    std::vector<double> zeiten;
    for (long long tag : tage) {
        const auto a = std::chrono::steady_clock::now();
        tun(tag);
        zeiten.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - a).count());
    }
    std::sort(zeiten.begin(), zeiten.end());
    return {zeiten[zeiten.size() / 2], zeiten.back()};
}

}  // namespace

int main()
{
    replay::Recording aufnahme = zweiStunden();
    const std::size_t eintraege = aufnahme.entries.size();
    Wiedergabe wiedergabe(aufnahme);
    const long long letzter = wiedergabe.letzterTag();
    // Far jumps both ways, each landing just before a whole state (the most changes to apply).
    std::vector<long long> tage;
    for (int k = 0; k < 41; ++k) tage.push_back((k % 2 == 0 ? letzter - 61 * k / 2 : 59 + 37 * k) % (letzter + 1));
    bool gleich = true;
    const auto [sprung, sprungHoechstens] = medianUndHoechstens(tage, [&](long long tag) { wiedergabe.zuTag(tag); });
    const auto [leser, leserHoechstens] = medianUndHoechstens(tage, [&](long long tag) {
        benchmark::DoNotOptimize(aufnahme.stateOnDay(tag));
    });
    for (long long tag : {tage[3], tage[4]}) {
        wiedergabe.zuTag(tag);
        gleich = gleich && wiedergabe.zustand() == aufnahme.stateOnDay(tag);
    }
    std::printf("wall-clock. jump to a day of a %.0f-hour recording (%zu entries, 4 x %d ships, a whole state every "
                "%lld s): %.2f ms median, %.2f ms at most (budget 1000 ms, %.4f of it); the reader from the start "
                "%.2f ms median, ratio %.3fx%s\n",
                kStunden, eintraege, kSchiffe, kVollAlleMs / 1000, sprung * 1e3, sprungHoechstens * 1e3,
                sprungHoechstens, leser * 1e3, sprung / leser, gleich ? "" : " STATES DIFFER");
    return gleich ? 0 : 1;
}

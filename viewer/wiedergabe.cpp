#include "viewer/wiedergabe.hpp"

#include <algorithm>
#include <cmath>

namespace qz {

Wiedergabe::Wiedergabe(replay::Recording aufnahme)
    : aufnahme_(std::move(aufnahme)),
      anfang_(aufnahme_.entries.empty() ? 0 : static_cast<double>(aufnahme_.entries.front().atMilliseconds) / 1000)
{
    zu(anfang_);
}

long long Wiedergabe::tag() const { return static_cast<long long>(std::floor(position_ / replay::kDaySeconds)); }

long long Wiedergabe::letzterTag() const
{
    return static_cast<long long>(std::floor(aufnahme_.lengthSeconds() / replay::kDaySeconds));
}

void Wiedergabe::abspielen()
{
    if (position_ >= aufnahme_.lengthSeconds()) zu(anfang_);
    laeuft_ = true;
}

void Wiedergabe::vergehen(double sekunden)
{
    if (!laeuft_ || sekunden <= 0) return;
    zu(position_ + sekunden * tempo);
    if (position_ >= aufnahme_.lengthSeconds()) laeuft_ = false;
}

void Wiedergabe::zuTag(long long t) { zu(replay::lastMomentOfDay(std::clamp(t, 0LL, letzterTag()))); }

void Wiedergabe::zu(double sekunden)
{
    const auto& e = aufnahme_.entries;
    position_ = std::clamp(sekunden, anfang_, std::max(anfang_, aufnahme_.lengthSeconds()));
    // The entries up to the playhead, counted as the reader counts them.
    const double grenze = position_ * 1000;
    const auto ende = std::find_if(e.begin(), e.end(),
                                   [&](const replay::RecordedEntry& x) { return static_cast<double>(x.atMilliseconds) > grenze; });
    const auto ziel = static_cast<std::size_t>(ende - e.begin());
    if (ziel == angewandt_) return;
    // The last full state among them; starting from it is cheaper than going on whenever the
    // playhead goes back or passes it.
    std::size_t voll = ziel;
    while (voll > 0 && e[voll - 1].kind != replay::EntryKind::full) --voll;
    if (ziel < angewandt_ || (voll > 0 && voll - 1 >= angewandt_)) {
        zustand_ = replay::ReplayState{};
        angewandt_ = voll > 0 ? voll - 1 : 0;
    }
    for (; angewandt_ < ziel; ++angewandt_) replay::applyEntry(zustand_, e[angewandt_].kind, e[angewandt_].data);
    ++stand_;
}

}  // namespace qz

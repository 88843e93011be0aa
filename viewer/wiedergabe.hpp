// A recorded game played back: the playhead on the recording's clock, its speed, play and
// pause, and the state at the playhead. Moving forward applies the entries met on the way;
// a jump starts again from the last full state before its target, so that a jump anywhere
// costs at most the changes between two full states. The playhead only ever shows recorded
// states: nothing is simulated, so a replay never drifts from what the players saw.
#pragma once

#include "replay/qzr_file.hpp"

#include <array>
#include <cstddef>

namespace qz {

// The speeds offered, as multiples of real time.
inline constexpr std::array<int, 4> kTempi{1, 4, 16, 64};

class Wiedergabe {
public:
    // Starts paused on the first recorded state.
    explicit Wiedergabe(replay::Recording aufnahme);

    const replay::Recording& aufnahme() const { return aufnahme_; }
    const replay::ReplayState& zustand() const { return zustand_; }
    // Counts the changes of zustand(): whoever derives something from it redoes that only then.
    std::size_t stand() const { return stand_; }

    double position() const { return position_; }  // seconds since the game started
    long long tag() const;
    long long letzterTag() const;

    int tempo = 1;
    bool laeuft() const { return laeuft_; }
    // At the end it starts again from the first recorded moment.
    void abspielen();
    void anhalten() { laeuft_ = false; }

    // `sekunden` of real time pass: the playhead moves at the speed while it plays and stops
    // (and pauses) at the end of the recording.
    void vergehen(double sekunden);
    // To the moment the reader calls day `t` (its last moment), within the recording.
    void zuTag(long long t);
    void zu(double sekunden);

private:
    replay::Recording aufnahme_;
    replay::ReplayState zustand_;
    std::size_t angewandt_ = 0;  // entries applied to zustand_
    std::size_t stand_ = 0;
    double position_ = 0;
    double anfang_ = 0;  // the first recorded moment: before it there is nothing to show
    bool laeuft_ = false;
};

}  // namespace qz

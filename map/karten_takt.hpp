// The timer-driven steps of the running map that the sandbox and multiplayer loops share:
// scrolling and the route computation. Each pass takes as many steps as have come due, so the
// map scrolls and routes grow at the same speed whatever the pass rate.
#pragma once

#include "frame/rahmen.hpp"
#include "state/spielstand.hpp"

namespace qz {

constexpr double kScrollTakt = 0.0033;  // one scroll step
constexpr int kScrollHoechstens = 10;   // steps in one pass, two frames at 30 per second
constexpr double kRoutenTakt = 0.03;    // one route step
constexpr int kRoutenHoechstens = 4;

// Scrolls the view over a background whose scroll range is `breite` x `hoehe`.
void scrollSchritte(Rahmen& rahmen, Spielstand& spiel, int breite, int hoehe);

// Route steps for the pending request; a finished route stops them until the fleet has it.
void routenSchritte(Platform& platform, Kartenzustand& karte);

}  // namespace qz

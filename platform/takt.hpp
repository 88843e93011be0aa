// Clocks of the game that step at a fixed period of the timer: the map scroll, the route
// computation, fleet movement and the day. They count the steps that have come due instead of
// taking one step per pass, so their speed is the same at 60 passes per second and at 1,000.
#pragma once

namespace qz {

// The steps of a clock with the given period that have come due by `jetzt` (`faellig` is the
// time of its next step); `faellig` moves on by as many periods, so a late pass does not delay
// the steps after it. After a stall of `hoechstens` steps or more (a menu stay, a long pause of
// the program) only `hoechstens` are taken and the clock starts again one period from now, so
// nothing leaps after a pause.
int faelligeSchritte(double& faellig, double jetzt, double periode, int hoechstens);

}  // namespace qz

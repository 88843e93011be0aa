// The pace of the main loop: one pass per frame the display can show. A pass ends by resting
// until the next frame is due, so the game draws no frames that nobody sees; everything the
// rules tie to the timer counts the steps that have come due, so its speed does not depend on
// how many passes there are.
#pragma once

#include "platform/platform.hpp"

namespace qz {

// The shortest rest of a pass, as before the loop was paced.
constexpr double kMindestruhe = 0.001;

// Rests until one frame period after the previous frame was due, and at least kMindestruhe;
// `frameFaellig` carries that time from pass to pass. A pass that took longer than a frame
// starts the count again from now instead of hurrying the following ones.
void waitForNextFrame(Platform& platform, double& frameFaellig);

}  // namespace qz

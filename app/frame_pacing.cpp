#include "app/frame_pacing.hpp"

#include <algorithm>

namespace qz {

void waitForNextFrame(Platform& platform, double& frameFaellig)
{
    frameFaellig = std::max(frameFaellig + platform.framePeriod(), platform.timer() + kMindestruhe);
    platform.sleepUntil(frameFaellig);
}

}  // namespace qz

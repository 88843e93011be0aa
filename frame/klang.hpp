// Sound of the frame: start-up of the sound service with the click and the first track, the
// click every button plays, and the release of the samples at the end. The music tick and the
// options and credits screens have their own files; this header brings them along for the
// screens that use all of it.
#pragma once

#include "frame/credits_screen.hpp"
#include "frame/musik.hpp"
#include "frame/options_screen.hpp"
#include "frame/rahmen.hpp"

namespace qz {

void soundStart(Rahmen& rahmen);
// Plays the click on a free channel at the effect volume.
void playClick(Rahmen& rahmen);
void soundShutdown(Rahmen& rahmen);

}  // namespace qz

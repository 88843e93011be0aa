// The game's sounds: the interface click and the five music tracks, synthesised to their
// nominal lengths (stereo, 44100 Hz).
#pragma once

#include "assets/mp3_file.hpp"

namespace qz::assets {

constexpr int kTrackCount = 5;

struct TrackInfo {
    const char* name;
    int seconds;
};

// Track 1..5: "Schweben" 169 s, "Stardust_Sandbox" 330 s, "Tribal_Movies" 188 s,
// "New_Begin" 237 s, "Traum" 238 s.
const TrackInfo& trackInfo(int track);

StereoBuffer synthesiseTrack(int track);
StereoBuffer synthesiseClick();

}  // namespace qz::assets

// The music player: five tracks in random order for the whole run, the next one due after
// the nominal length of the current one, never the same track twice in a row.
#pragma once

#include "frame/rahmen.hpp"

#include <string>

namespace qz {

struct Musikstueck {
    const char* name;
    int sekunden;
};

constexpr int kMusikstuecke = 5;

// Track 1..5: "Schweben" 169 s, "Stardust_Sandbox" 330 s, "Tribal_Movies" 188 s,
// "New_Begin" 237 s, "Traum" 238 s.
const Musikstueck& musikstueck(int index);
std::string musikDatei(int index);  // "./sound/" + name + ".mp3"

// Once per pass of the main loop, before the screen: when the current track's time is up and
// a track is loaded, free it and load, play and time a randomly chosen different one.
void musikTick(Rahmen& rahmen);

}  // namespace qz

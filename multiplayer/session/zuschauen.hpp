// A spectated game as the client keeps it: the recorded state the server's entries built so
// far (it never sees anything newer than the game's delay), the moment it shows, and what the
// screen drew last.
#pragma once

#include "replay/replay_state.hpp"
#include "state/spielstand.hpp"

#include <array>
#include <cstddef>
#include <limits>
#include <memory>
#include <string>

namespace qz {

struct Zuschauen {
    std::string kanal;            // the channel's name as listed
    int verzoegerung = 0;         // seconds behind the game, as the server says
    long long seit = 0;           // the last recording entry applied; 0: none
    long long gezeigtMs = -1;     // the moment shown, ms since the game started; -1: nothing yet
    long long warten = 0;         // seconds until there is something to show
    replay::ReplayState zustand;
    std::size_t stand = 0;        // counts the changes of zustand
    double naechsteAbfrage = 0;   // program timer of the next poll

    // The screen's drawing: the state in the game's model (big, so on the heap) and the
    // colour index each seat's ship pictures were loaded for.
    std::unique_ptr<Spielstand> bild;
    std::array<int, 4> geladeneFarbe{};
    std::size_t gezeichneterStand = std::numeric_limits<std::size_t>::max();

    // Starts over for another game (or the same one anew).
    void beginnen(std::string kanalName);
};

}  // namespace qz

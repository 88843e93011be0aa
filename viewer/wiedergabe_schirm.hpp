// The replay screen: the star map of the recorded game with every player's systems and fleets
// in their colours, the players and the chat at the playhead, and the controls: "Zurück"
// (or Esc), play and pause (also the space bar), the speeds and the time line, a click or a
// drag on which jumps to that day. It shows and gives no orders.
#pragma once

#include "frame/rahmen.hpp"
#include "map/bildquellen.hpp"
#include "state/spielstand.hpp"
#include "viewer/wiedergabe.hpp"

#include <array>
#include <limits>
#include <memory>
#include <string>

namespace qz {

struct WiedergabeSchirm {
    WiedergabeSchirm(replay::Recording aufnahme, Bildquellen quellen, std::string zurueck);

    Wiedergabe wiedergabe;
    Bildquellen quellen;
    std::string zurueck;  // the Programmzustand the screen ends in
    // What the map draws: the state at the playhead in the game's model (a big object, so it
    // lives on the heap).
    std::unique_ptr<Spielstand> spiel;
    std::size_t gezeichneterStand = std::numeric_limits<std::size_t>::max();
    std::array<int, 4> geladeneFarbe{};  // colour index of each seat's loaded ship pictures
    double letzteZeit = -1;              // platform clock at the last pass
};

// The background and the view on the first player's home planet.
void wiedergabeBeginnen(Rahmen& r, WiedergabeSchirm& w);

// The most a pass moves the playhead for: a longer gap means the screen was not shown (the help
// covered it), and the replay rests meanwhile as the sandbox does.
inline constexpr double kLaengsterSchritt = 0.25;

// One pass: the time since the last pass (at most kLaengsterSchritt), the input, the frame. On "Zurück" or Esc the
// pictures the screen loaded are released, Programmzustand becomes w.zurueck and it returns false.
bool wiedergabeScreen(Rahmen& r, WiedergabeSchirm& w);

// The control bar below the map with its "Zurück" button, as the replay and a spectated game
// show it.
void leisteMitZurueckZeichnen(Rahmen& r);

// Hit boxes and places of the controls (open boxes, as everywhere).
namespace wiedergabeflaeche {
inline constexpr int kLeisteOben = 700;
inline constexpr int kKnopfX = 10, kZurueckY = 706, kAbspielenY = 737;  // picture 11, 156 x 25
inline constexpr int kTempoX = 180, kTempoY = 708, kTempoBreite = 48, kTempoAbstand = 56;
inline constexpr int kTagX = 420, kTagY = 711;
inline constexpr int kZeitX1 = 180, kZeitX2 = 1010, kZeitY1 = 740, kZeitY2 = 756;
inline constexpr int kSpielerX = 790;  // the channel and the players, top right
inline constexpr int kChatX = 10, kChatUnten = 684, kChatZeilen = 8, kChatAbstand = 16;
}  // namespace wiedergabeflaeche

}  // namespace qz

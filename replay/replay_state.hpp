// What a recording holds of a running game at one moment: the merged state the server
// answers with, never a player's private part.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace qz::replay {

inline constexpr int kSeats = 4;
// The chat lines the server keeps, and so the ones a state holds.
inline constexpr std::size_t kChatLines = 20;
// A game day lasts 5 seconds.
inline constexpr double kDaySeconds = 5;

// The ship list texts of one seat, as the players receive them, and its trade routes.
enum ShipField { type, hull, shield, docked, location, route, fleet, x, y, firepower, highestFleet, tradeRoutes };
inline constexpr int kSeatTexts = 12;

struct StarSystem {
    std::string name;
    int x = 0, y = 0;
    int type = 0, owner = 0, shield = 0, fortification = 0, attacked = 0;

    bool operator==(const StarSystem&) const = default;
};

struct Seat {
    std::string name;  // empty: nobody sits there
    int colour = 0;
    bool away = false;  // silent for a while; back once it polls again
    std::array<std::string, kSeatTexts> texts;

    bool operator==(const Seat&) const = default;
};

struct ChatEntry {
    int sender = 0;
    std::string text;

    bool operator==(const ChatEntry&) const = default;
};

struct ReplayState {
    std::vector<StarSystem> systems;
    std::array<Seat, kSeats> seats;  // seat n is seats[n - 1]
    // The battles in a compact text: per battle "system" and, per seat, ":" and the
    // comma list of its ships standing there; battles separated by ";".
    std::string battles;
    std::vector<ChatEntry> chat;  // the last kChatLines lines, oldest first

    bool operator==(const ReplayState&) const = default;
};

// Appends a chat line, keeping the last kChatLines.
void appendChat(ReplayState& state, ChatEntry line);

}  // namespace qz::replay

// Generation of a new star map: one system at a time with its random type and bases, the
// placement of all systems with the spacing rule, and the home planets of the players.
#pragma once

#include "state/spielstand.hpp"
#include "platform/platform.hpp"

#include <functional>

namespace qz {

// Fills system i: position, owner 0, type 1..17, name "Planet X" + i, fortification base and
// the five bases, drawn in exactly this order. W and H are the background's scroll ranges.
void SUB_STERNSYSTEM_ERSTELLEN(Platform& zufall, Sternsysteme& systeme, int i, int W, int H);

// Background picture number 1..13.
int hintergrundWaehlen(Platform& zufall);

// Generates systems 1..N, each redrawn whole until no earlier system lies strictly inside the
// 180 x 180 square around it. Returns the number of systems generated, rejected ones included.
int systemePlatzieren(Platform& zufall, Sternsysteme& systeme, int N, int W, int H);

// True when candidate k may become the home planet of player p (it is already known to be
// unowned). An empty rule accepts every unowned system.
using Heimatregel = std::function<bool(const Sternsysteme& systeme, int k, int p)>;

struct Heimatoptionen {
    bool sandkasten = true;          // sandbox: entdecker 1 and full fortification on every home
    int generierenderSpieler = 1;    // multiplayer: only this player's home gets base and maximum 5000
    Heimatregel regel;
};

// Home planets for players 1..P, each drawn uniformly from the unowned systems 1..N. When no
// unowned system satisfies the rule for a player, that player's draw ignores the rule; when no
// unowned system is left at all, the remaining players get none.
void heimatplanetenSetzen(Platform& zufall, Sternsysteme& systeme, int N, int P, const Heimatoptionen& optionen);

// Multiplayer spacing: players 2..P take only systems at least 600 pixels away, in x or in y,
// from every home planet already placed.
bool heimatAbstandMehrspieler(const Sternsysteme& systeme, int k, int p);

}  // namespace qz

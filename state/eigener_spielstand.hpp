// The player's own part of a multiplayer game: what only this client holds and the server does
// not (money and supply with the day's sums, research, the planet values and build queues of the
// own systems, the trade links, agreements, discovered and marked systems, the highest fleet
// number, the day count, and the own ships as the day left them). The game keeps it at every
// day tick, so that a player who comes back after a crash, or from another machine, loses
// nothing beyond the last day. It is a file of the save format (state/spielstand_datei.hpp,
// version 2, content "own part") with its checksum, and it travels to the server as base64 text
// of at most 65536 characters: the block is bounded to kEigenerTeilGrenze bytes. Everything
// but the ship lists fits that even for 500 systems all owned; the ship lists are left out
// when they do not fit beside it (the server holds the ships' places and types anyway).
#pragma once

#include "state/spielstand.hpp"
#include "state/spielstand_datei.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

constexpr std::size_t kEigenerTeilGrenze = 65536 / 4 * 3;

struct EigenesSystem {
    int nummer = 0;
    int einwohner = 0, einwohnerMax = 0, versorgung = 0, versorgungMax = 0, forschung = 0;
    int handel = 0, handelMax = 0, werft = 0, schildMax = 0, befestigungMax = 0;
    std::array<int, 3> bauAufwand{}, bauFortschritt{}, bauTyp{};
    int bauAuftraege = 0;
};

struct EigeneForschung {
    int aktiv = 0, stufe = 0, fortschritt = 0;
};

struct EigenerSpielstand {
    Spielstandkopf kopf;
    int eigenerSpieler = 0;
    std::uint32_t kartenKennung = 0;  // which star map the part belongs to
    int kartenBreite = 0, kartenHoehe = 0;
    Wirtschaft wirtschaft;            // without the day's clock, which a new run starts afresh
    std::array<EigeneForschung, 12> forschung{};
    int aktiveThemen = 0;
    std::array<int, 4> abkommen{};    // the stored agreement values of slots 1..4
    int hoechsteFlotte = 0;
    // Per system 1..Sternanzahl at [i - 1]: the own trade links, who discovered it, marked for attack.
    std::vector<int> handelsposten, entdecker, angriff;
    std::vector<EigenesSystem> systeme;  // the own systems
    bool mitSchiffen = false;            // the ship lists fitted into the block
    SchiffListen schiffe;
};

// What identifies the star map of a game: a checksum of the systems' positions.
std::uint32_t kartenKennung(const Spielstand& spiel);

// The own part of `spiel` with the stored agreement values of slots 1..4, dated `gespeichertUm`.
// At most kEigenerTeilGrenze bytes.
std::string eigenenTeilSchreiben(const Spielstand& spiel, const Feld<int>& abkommen, std::int64_t gespeichertUm);

// Reads a block into `ziel`, a freshly constructed part; every value is checked against the
// range play keeps it in. After an error `ziel` is only fit to be thrown away.
Lesefehler eigenenTeilLesen(std::string_view datei, EigenerSpielstand& ziel);

// Whether the part belongs to this game and seat: the same slot, star count and star map.
bool eigenerTeilPasst(const EigenerSpielstand& teil, const Spielstand& spiel);

// Takes the part over into a game it fits: the economy (not its clock), research, the agreement
// values, the highest fleet number (the higher of the part's and the game's), the per-system
// lists, and the values of every listed system the game still counts as the player's own. The
// ships are the caller's: they must be matched with the server's lists.
void eigenenTeilUebernehmen(const EigenerSpielstand& teil, Spielstand& spiel, Feld<int>& abkommen);

}  // namespace qz

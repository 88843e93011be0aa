// The save file of a sandbox game: the whole game state as bytes and back. Every version of the
// file starts with the same envelope (magic, format version, length, CRC-32 of the rest), so a
// later game still recognises an old save and reads it with the reader of its version, and
// recognises a newer save instead of misreading it. Timers are kept as the time left, because
// the clock of the run that loads the game starts somewhere else. From version 2 on the file
// says what it holds: the whole game (a save slot) or the player's own part of a multiplayer
// game (state/eigener_spielstand.hpp).
#pragma once

#include "state/spielstand.hpp"

#include <cstdint>
#include <string>
#include <string_view>

namespace qz {

constexpr std::uint32_t kSpielstandVersion = 2;

// What the slot screen shows of a save without taking it over.
struct Spielstandkopf {
    std::int64_t gespeichertUm = 0;  // seconds since 1970, UTC
    int Sternanzahl = 0;
    int spieltag = 0;
    int geld = 0;
    int eigeneSysteme = 0;
};

enum class Lesefehler { Keiner, Beschaedigt, NeuereVersion };

// The file for `spiel` at clock value `jetzt`, saved at `gespeichertUm`.
std::string spielstandSchreiben(const Spielstand& spiel, double jetzt, std::int64_t gespeichertUm);

// The envelope and the summary only; the checksum covers the whole file all the same.
Lesefehler spielstandKopfLesen(std::string_view datei, Spielstandkopf& kopf);

// The whole game into `ziel`, a freshly constructed state, with its timers counted from `jetzt`.
// After an error `ziel` is half filled and only fit to be thrown away.
Lesefehler spielstandLesen(std::string_view datei, double jetzt, Spielstand& ziel);

}  // namespace qz

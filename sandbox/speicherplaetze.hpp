// The three save slots of the sandbox: files in the save folder (folders().saves), written so that
// a crash or a full disk in the middle of a save leaves the slot's previous save whole, and read
// so that a bad file never touches the running game.
#pragma once

#include "frame/rahmen.hpp"
#include "platform/datei.hpp"
#include "map/bildquellen.hpp"
#include "state/spielstand.hpp"
#include "state/spielstand_datei.hpp"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qz {

constexpr int kSpeicherplaetze = 3;

struct Platzinfo {
    bool belegt = false;
    Lesefehler fehler = Lesefehler::Keiner;
    Spielstandkopf kopf;
};

std::filesystem::path platzPfad(int platz);  // platz 1..3

Platzinfo platzLesen(int platz);

// The running game at clock value `jetzt` as a file, dated now.
std::string spielstandDatei(const Spielstand& spiel, double jetzt);

// Puts a file into the slot (making the folder when needed). Safe on any thread.
bool platzSchreiben(int platz, std::string_view datei);

// Both in one: saves the running game into the slot.
bool platzSpeichern(int platz, const Spielstand& spiel, double jetzt);

// Saves of an older game that kept them in a folder of its own (`alt`, the spielstaende/ beside
// the executable) are copied into the save folder `neu` once, when `neu` does not exist yet:
// all slots or none, through a folder of this copy's own beside `neu` that is renamed into
// place, so an interrupted copy is simply made again at the next start and copies started
// together never touch each other's. The old files stay where they are.
// True when the slots were copied.
bool alteSpielstaendeUebernehmen(const std::filesystem::path& alt, const std::filesystem::path& neu);

// Takes a read file over as the running game, with its pictures, and shows the map. Any fault
// in the file leaves the running game as it was.
Lesefehler spielLaden(Rahmen& rahmen, Spielstand& spiel, const Bildquellen& quellen, std::string_view datei);

}  // namespace qz

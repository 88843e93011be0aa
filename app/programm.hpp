// The program: start-up, one pass of the main loop, the main menu, the fallback branch and
// the shutdown. main() is a thin wrapper around runProgram; tests drive passes directly on the
// headless backend.
#pragma once

#include "frame/rahmen.hpp"
#include "app/einstellungen.hpp"
#include "app/hilfe.hpp"
#include "app/picture_loading.hpp"
#include "map/bildquellen.hpp"
#include "sandbox/speichermenue.hpp"
#include "viewer/wiedergabe_schirm.hpp"
#include "state/spielstand.hpp"
#include "multiplayer/session/mehrspieler.hpp"
#include "multiplayer/exchange/server_worker.hpp"

#include <functional>
#include <optional>
#include <thread>

namespace qz {

struct Programm {
    explicit Programm(Platform& platform) : rahmen(platform) {}

    Rahmen rahmen;
    Spielstand spiel;
    Serverdaten server;
    Mehrspieler mehrspieler;                    // the login is kept for the rest of the run
    Bildquellen bildquellen = dateiBildquellen();  // where a starting game takes its pictures
    Speichermenue speichermenue;                   // the sandbox's save slots as last read
    Hilfe hilfe;                                   // F1 help over the screen in view
    std::thread worker;
    double frameFaellig = 0.0;  // when the next pass may start (frame_pacing.hpp)
    Einstellungen gespeichert;  // what the settings file holds (or held when it was read)
    std::unique_ptr<WiedergabeSchirm> wiedergabe;  // a recorded game on screen
};

// What the program is connected to: the worker's round trip, made for the shared data it may
// read its target from, and the picture loader.
struct Anbindung {
    std::function<RoundTrip(Serverdaten&)> server;
    BildLader bildLaden;
};

// The real game's connections: the server the player chose (Serverdaten::Serveradresse) and
// the JPEG picture files.
Anbindung echteAnbindung();

// What the command line asks for.
struct Startoptionen {
    std::optional<ServerAddress> server;  // qz --server HOST[:PORT]
    std::optional<replay::Recording> aufnahme;  // qz --replay FILE: played at once
};

// Start-up steps: window, state, pictures, sound, the settings (when the program keeps a
// settings file) and the command line over them, worker.
void startUp(Programm& programm, Anbindung anbindung, const Startoptionen& optionen = {});

// Steps 2 to 5 of a pass: keyboard buffer, pointer, Mausereignis and Tastencode.
void readInput(Rahmen& rahmen);

// One pass of the main loop; returns false once Programmzustand is "close".
bool mainLoopPass(Programm& programm);

void hauptmenuScreen(Rahmen& rahmen);
void fallbackBranch(Rahmen& rahmen, Serverdaten& server);

// Tells the worker to end and waits for it (also used by the main error handler).
void stopWorker(Programm& programm);
void shutDown(Programm& programm);

// The whole program under the main error handler: exit code 0 after "close", 1 after an error
// report was written.
int runProgram(Platform& platform, Anbindung anbindung, const Startoptionen& optionen = {});

}  // namespace qz

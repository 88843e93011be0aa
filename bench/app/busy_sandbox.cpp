// qz in a busy sandbox: the real program (SDL window, pictures, sound, worker, main loop) that
// goes straight into a running 200-system game with 500 ships in 60 fleets, a third of them
// flying. frame_pacing.sh measures the processor time it takes; the game itself cannot be
// brought to 500 ships within a measurement.
#include "app/programm.hpp"
#include "bench/sandbox/belebte_karte.hpp"
#include "platform/sdl/sdl_platform.hpp"

int main()
{
    qz::SdlPlatform platform;
    auto programm = std::make_unique<qz::Programm>(platform);
    qz::startUp(*programm, qz::echteAnbindung());
    qz::Rahmen& r = programm->rahmen;
    r.Programmzustand = "sandkasten";
    qz::belebteKarte(r, programm->spiel, programm->bildquellen);
    while (qz::mainLoopPass(*programm)) {
    }
    qz::shutDown(*programm);
    return 0;
}

// Feeds arbitrary bytes to the reply parsers as a server's reply. The first byte picks the
// own slot and whether the lobby, the game or a spectator reads it; the rest is the reply.
// Hostile lists must end in the error report, and hostile recording entries in a dropped
// state, never in a crash.
#include "multiplayer/exchange/lobby_antwort.hpp"
#include "multiplayer/exchange/spiel_antwort.hpp"
#include "multiplayer/exchange/zuschauen_austausch.hpp"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    static qz::Spielstand spiel;
    static qz::Mehrspieler mp;
    spiel.eigenerSpieler = 1 + (data[0] & 3);
    spiel.Spieleranzahl = 4;
    spiel.Sternanzahl = 50;
    const std::string_view antwort(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] & 8) {
        static qz::Zuschauen zuschauen;
        qz::zuschauenLesen(std::string(antwort), zuschauen);
        return 0;
    }
    if (data[0] & 4)
        qz::lobbyAntwortAnwenden(antwort, spiel, mp);
    else
        qz::spielAntwortAnwenden(antwort, spiel, mp);
    // The lobby may read a hostile star count; the game state keeps its limits.
    spiel.Sternanzahl = 50;
    return 0;
}

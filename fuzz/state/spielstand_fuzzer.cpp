// Feeds arbitrary bytes to the save file reader and to the reader of a multiplayer game's own
// part (which comes back from the server). With the first byte odd the rest is read as the
// whole file; with it even the rest is wrapped into a valid envelope (fuzz_eingabe.hpp), so the
// contents behind the checksum are fuzzed too. A hostile file must end in "damaged", never in a
// crash, a runtime error or an allocation beyond its size.
#include "fuzz_eingabe.hpp"
#include "state/eigener_spielstand.hpp"
#include "state/spielstand_datei.hpp"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const std::string datei = qz::fuzz::dateiAusEingabe(data, size);
    qz::Spielstand spiel;
    qz::spielstandLesen(datei, 100.0, spiel);
    qz::Spielstandkopf kopf;
    qz::spielstandKopfLesen(datei, kopf);
    qz::EigenerSpielstand teil;
    qz::eigenenTeilLesen(datei, teil);
    return 0;
}

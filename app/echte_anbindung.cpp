#include "app/programm.hpp"
#include "image/jpeg_get.hpp"
#include "multiplayer/exchange/server_exchange.hpp"

namespace qz {

Anbindung echteAnbindung()
{
    Anbindung anbindung;
    anbindung.server = [](Serverdaten& daten) { return makeServerRoundTrip(daten); };
    anbindung.bildLaden = [](const std::string& file) { return JPEGGET(file, -1, -1, 0x10000000, 0x10000000); };
    return anbindung;
}

}  // namespace qz

#include "app/kommandozeile.hpp"

namespace qz {

Kommandozeile kommandozeileLesen(const std::vector<std::string>& argumente)
{
    Kommandozeile k;
    for (std::size_t i = 0; i < argumente.size() && k.fehler.empty(); ++i) {
        const std::string& a = argumente[i];
        if (a == "--help" || a == "-h") {
            k.hilfe = true;
        } else if (a == "--server" || a.rfind("--server=", 0) == 0) {
            std::string wert;
            if (a != "--server") wert = a.substr(9);
            else if (i + 1 < argumente.size()) wert = argumente[++i];
            k.optionen.server = parseServerAddress(wert);
            if (!k.optionen.server) k.fehler = "not a server address: '" + wert + "'";
        } else if (a == "--replay" || a.rfind("--replay=", 0) == 0) {
            if (a != "--replay") k.wiedergabeDatei = a.substr(9);
            else if (i + 1 < argumente.size()) k.wiedergabeDatei = argumente[++i];
            if (k.wiedergabeDatei.empty()) k.fehler = "--replay needs a recording file";
        } else {
            k.fehler = "unknown argument: '" + a + "'";
        }
    }
    return k;
}

std::string hilfetext()
{
    return "usage: qz [--server HOST[:PORT]] [--replay FILE]\n"
           "  --server HOST[:PORT]  the multiplayer server for this run: a host name, an IPv4\n"
           "                        address or an IPv6 address (in brackets when a port follows);\n"
           "                        default port 80\n"
           "  --replay FILE         plays a recorded game (a .qzr file exported by qz-server)\n"
           "                        without a server, then goes on to the main menu\n"
           "  --help                this text\n";
}

Aufnahmedatei aufnahmeLesen(const std::string& datei)
{
    Aufnahmedatei a;
    try {
        a.aufnahme = replay::readQzrFile(datei);
    } catch (const replay::QzrError& fehler) {
        a.fehler = "cannot play " + datei + ": " + fehler.what();
    } catch (const std::exception& fehler) {
        a.fehler = fehler.what();
    }
    return a;
}

}  // namespace qz

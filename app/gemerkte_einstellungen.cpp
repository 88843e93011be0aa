#include "app/gemerkte_einstellungen.hpp"
#include "multiplayer/screens/computer_kanal.hpp"

#include "multiplayer/private/computerspiel.hpp"
#include "platform/folders.hpp"

namespace qz {

Einstellungen einstellungenDesProgramms(Programm& programm)
{
    Einstellungen e;
    e.musikLautstaerke = programm.rahmen.klang.musikLautstaerke;
    e.effektLautstaerke = programm.rahmen.klang.effektLautstaerke;
    e.vollbild = programm.rahmen.platform.fullscreen();
    const ServerAddress adresse = gewaehlterServer(programm.server, programm.mehrspieler);
    if (adresse != ServerAddress{kServerHost, kServerPort}) e.server = serverAddressText(adresse);
    e.name = programm.mehrspieler.gemerkterName;
    return e;
}

void einstellungenAnwenden(Programm& programm, const Einstellungen& werte)
{
    Klang& k = programm.rahmen.klang;
    k.musikLautstaerke = werte.musikLautstaerke;
    k.effektLautstaerke = werte.effektLautstaerke;
    programm.rahmen.platform.sound().setVolume(k.musikKanal, k.musikLautstaerke);
    programm.rahmen.platform.setFullscreen(werte.vollbild);
    if (const std::optional<ServerAddress> adresse = parseServerAddress(werte.server)) {
        std::lock_guard lock(programm.server.Datenmutex);
        programm.server.Serveradresse = *adresse;
    }
    programm.mehrspieler.LoginName = werte.name;
    programm.mehrspieler.gemerkterName = werte.name;
}

void einstellungenSichern(Programm& programm)
{
    if (folders().settings.empty()) return;
    Einstellungen jetzt = einstellungenDesProgramms(programm);
    if (jetzt == programm.gespeichert) return;
    einstellungenSchreiben(folders().settings, jetzt);
    programm.gespeichert = std::move(jetzt);
}

}  // namespace qz

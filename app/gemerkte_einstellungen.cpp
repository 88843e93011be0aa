#include "app/gemerkte_einstellungen.hpp"

#include "platform/folders.hpp"
#include "platform/uebersetzung.hpp"

namespace qz {

Einstellungen einstellungenDesProgramms(Programm& programm)
{
    Einstellungen e;
    e.musikLautstaerke = programm.rahmen.klang.musikLautstaerke;
    e.effektLautstaerke = programm.rahmen.klang.effektLautstaerke;
    e.vollbild = programm.rahmen.platform.fullscreen();
    // The login screen's choice: a server named on the command line is for that run only, and
    // the private server of a game against the computer for that game.
    e.server = programm.mehrspieler.gemerkterServer;
    e.name = programm.mehrspieler.gemerkterName;
    e.sprache = programm.rahmen.Sprache;
    return e;
}

void einstellungenAnwenden(Programm& programm, const Einstellungen& werte)
{
    Klang& k = programm.rahmen.klang;
    k.musikLautstaerke = werte.musikLautstaerke;
    k.effektLautstaerke = werte.effektLautstaerke;
    programm.rahmen.platform.sound().setVolume(k.musikKanal, k.musikLautstaerke);
    programm.rahmen.platform.setFullscreen(werte.vollbild);
    programm.mehrspieler.gemerkterServer = werte.server;
    if (const std::optional<ServerAddress> adresse = parseServerAddress(werte.server)) {
        std::lock_guard lock(programm.server.Datenmutex);
        programm.server.Serveradresse = *adresse;
    }
    programm.mehrspieler.LoginName = werte.name;
    programm.mehrspieler.gemerkterName = werte.name;
    programm.rahmen.Sprache = werte.sprache;
    spracheWaehlen(werte.sprache);
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

#include "frame/core/klang.hpp"

namespace qz {

void soundStart(Rahmen& rahmen)
{
    Sound& sound = rahmen.platform.sound();
    Klang& k = rahmen.klang;
    sound.init(44100, 64, 0);
    k.effektLautstaerke = 50;
    k.klickSample = sound.loadSample("./sound/Klick.mp3");
    k.musikLautstaerke = 50;
    k.musikSample = sound.loadSample("./sound/Schweben.mp3");
    k.naechsterTrack = rahmen.platform.timer() + 169;
    k.musikKanal = sound.playSample(k.musikSample);
    sound.setVolume(k.musikKanal, k.musikLautstaerke);
    k.aktuellerTrack = 1;
}

void playClick(Rahmen& rahmen)
{
    Sound& sound = rahmen.platform.sound();
    int channel = sound.playSample(rahmen.klang.klickSample);
    sound.setVolume(channel, rahmen.klang.effektLautstaerke);
}

void musikTick(Rahmen&) {}

void soundShutdown(Rahmen& rahmen)
{
    Sound& sound = rahmen.platform.sound();
    if (rahmen.klang.musikSample > 0) sound.freeSample(rahmen.klang.musikSample);
    sound.freeSample(rahmen.klang.klickSample);
}

void optionsScreen(Rahmen& rahmen, const std::string& zurueckZustand, const std::string& zurueckUnterzustand)
{
    rahmen.platform.screenLock();
    clear(rahmen.screen());
    rahmen.zeichne(rahmen.Oberflaechenbild(11), 434, 218);
    rahmen.textMittig(512, 224, "Zur\x81" "ck");
    rahmen.platform.screenUnlock();
    if (rahmen.Mausereignis == 1 && inBox(rahmen.MausX, rahmen.MausY, 434, 590, 218, 243)) {
        rahmen.Programmzustand = zurueckZustand;
        rahmen.Unterzustand = zurueckUnterzustand;
        rahmen.Mausereignis = 0;
        playClick(rahmen);
    }
}

void creditsScreen(Rahmen& rahmen) { optionsScreen(rahmen, "hauptmenu", rahmen.Unterzustand); }

}  // namespace qz

#include "frame/klang.hpp"
#include "platform/folders.hpp"

namespace qz {

void soundStart(Rahmen& rahmen)
{
    Sound& sound = rahmen.platform.sound();
    Klang& k = rahmen.klang;
    sound.init(44100, 64, 0);
    k.effektLautstaerke = 50;
    k.klickSample = sound.loadSample(dataFile("sound/Klick.mp3"));
    k.musikLautstaerke = 50;
    k.musikSample = sound.loadSample(musikDatei(1));
    k.naechsterTrack = rahmen.platform.timer() + musikstueck(1).sekunden;
    k.musikKanal = sound.playSample(k.musikSample);
    sound.setVolume(k.musikKanal, k.musikLautstaerke);
    k.aktuellerTrack = 1;
}

void playClick(Rahmen& rahmen)
{
    Sound& sound = rahmen.platform.sound();
    const int channel = sound.playSample(rahmen.klang.klickSample);
    sound.setVolume(channel, rahmen.klang.effektLautstaerke);
}

void soundShutdown(Rahmen& rahmen)
{
    Sound& sound = rahmen.platform.sound();
    if (rahmen.klang.musikSample > 0) sound.freeSample(rahmen.klang.musikSample);
    sound.freeSample(rahmen.klang.klickSample);
}

}  // namespace qz

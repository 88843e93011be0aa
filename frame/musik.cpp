#include "frame/musik.hpp"
#include "platform/folders.hpp"

#include "platform/errors.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace qz {

namespace {

constexpr std::array<Musikstueck, kMusikstuecke> kStuecke{{
    {"Schweben", 169}, {"Stardust_Sandbox", 330}, {"Tribal_Movies", 188}, {"New_Begin", 237}, {"Traum", 238},
}};

int zufallsStueck(Platform& platform)
{
    // floor(RND * 5 + 1) can round up to 6 for RND just below 1.
    return std::min(static_cast<int>(std::floor(platform.rnd() * kMusikstuecke + 1.0)), kMusikstuecke);
}

}  // namespace

const Musikstueck& musikstueck(int index)
{
    checkIndex(index, 1, kMusikstuecke);
    return kStuecke[static_cast<std::size_t>(index - 1)];
}

std::string musikDatei(int index) { return dataFile(std::string("sound/") + musikstueck(index).name + ".mp3"); }

void musikTick(Rahmen& rahmen)
{
    Klang& k = rahmen.klang;
    Platform& platform = rahmen.platform;
    // A track that failed to load leaves handle 0: from then on the music stays silent.
    if (!(platform.timer() > k.naechsterTrack && k.musikSample > 0)) return;
    Sound& sound = platform.sound();
    sound.freeSample(k.musikSample);
    k.musikKanal = 0;
    k.musikSample = 0;

    int naechstes = zufallsStueck(platform);
    while (naechstes == k.aktuellerTrack) naechstes = zufallsStueck(platform);

    k.musikSample = sound.loadSample(musikDatei(naechstes));
    k.musikKanal = sound.playSample(k.musikSample);
    sound.setVolume(k.musikKanal, k.musikLautstaerke);
    k.naechsterTrack = platform.timer() + musikstueck(naechstes).sekunden;
    k.aktuellerTrack = naechstes;
}

}  // namespace qz

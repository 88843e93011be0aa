#include "sound_fixture.hpp"

namespace qz::test {

void ScriptedSound::init(int mixRate, int channels, int flags)
{
    calls.push_back({"init", "", mixRate, channels + flags});
}

int ScriptedSound::loadSample(const std::string& file)
{
    const int handle = failing.count(file) > 0 ? 0 : ++nextSample_;
    calls.push_back({"load", file, handle, 0});
    return handle;
}

int ScriptedSound::playSample(int sample)
{
    const int channel = sample > 0 ? ++nextChannel_ : 0;
    calls.push_back({"play", "", sample, channel});
    return channel;
}

void ScriptedSound::setVolume(int channel, int volume) { calls.push_back({"volume", "", channel, volume}); }
void ScriptedSound::freeSample(int sample) { calls.push_back({"free", "", sample, 0}); }

Farbe bildFarbe(int k) { return rgb(10 * k, 255 - 10 * k, 100 + k) & 0xFFFFFFu; }

SoundFixture::SoundFixture()
{
    platform.screenOpen(1024, 768, 32);
    for (int k = 1; k <= 23; ++k) {
        // Sizes as the screens use them, so the pictures cover what they cover in the game.
        const int w = k == 19 ? 400 : k == 11 ? 156 : k == 18 ? 120 : 20;
        const int h = k == 19 ? 400 : k == 11 ? 25 : k == 18 ? 30 : 20;
        r.Oberflaechenbild(k) = imageCreate(w, h, 0xFF000000u | bildFarbe(k));
    }
}

void SoundFixture::leftClick(int x, int y)
{
    r.MausX = x;
    r.MausY = y;
    r.Mausereignis = 1;
}

bool SoundFixture::showsText(int x, int y, const std::string& cp437)
{
    ImagePtr probe = imageCreate(static_cast<int>(cp437.size()) * 8 + 1, 16, 0xFF000000u);
    drawText(*probe, 0, 0, cp437, 0xFFFFFFFF);
    bool anyGlyph = false;
    for (int py = 0; py < 16; ++py) {
        for (int px = 0; px < probe->width; ++px) {
            if ((probe->row(py)[px] & 0xFFFFFF) != 0xFFFFFF) continue;
            anyGlyph = true;
            if (pixel(x + px, y + py) != 0xFFFFFF) return false;
        }
    }
    return anyGlyph;
}

bool SoundFixture::showsCentredText(double centreX, int y, const std::string& cp437)
{
    return showsText(centredX(centreX, cp437.size()), y, cp437);
}

}  // namespace qz::test

#include "platform/headless/headless_platform.hpp"

#include "platform/errors.hpp"

namespace qz {

void RecordingSound::init(int mixRate, int channels, int flags)
{
    calls.push_back({"init", "", mixRate, channels});
    (void)flags;
}

int RecordingSound::loadSample(const std::string& file)
{
    int handle = files_.loadSample(file);
    calls.push_back({"load", file, handle, 0});
    return handle;
}

int RecordingSound::playSample(int sample)
{
    int channel = sample > 0 ? ++nextChannel_ : 0;
    calls.push_back({"play", "", sample, channel});
    return channel;
}

void RecordingSound::setVolume(int channel, int volume) { calls.push_back({"volume", "", channel, volume}); }

void RecordingSound::freeSample(int sample) { calls.push_back({"free", "", sample, 0}); }

void HeadlessPlatform::screenOpen(int width, int height, int depth)
{
    if (width < 1 || height < 1 || depth != 32) raiseError(kIllegalFunctionCall);
    screen_ = *imageCreate(width, height, 0x00000000);
    setActivePlatform(this);
}

std::string HeadlessPlatform::inkey()
{
    if (keys_.empty()) return {};
    std::string key = keys_.front();
    keys_.pop_front();
    return key;
}

void HeadlessPlatform::typeText(const std::string& cp437)
{
    for (char c : cp437) keys_.emplace_back(1, c);
}

void HeadlessPlatform::typeSpecialKey(int scanCode)
{
    keys_.push_back(std::string{static_cast<char>(255), static_cast<char>(scanCode)});
}

void HeadlessPlatform::sleepUntilKey(int milliseconds)
{
    for (int waited = 0; waited < milliseconds; waited += 50) {
        if (!keys_.empty() || !held_.empty()) return;
        advance(std::min(50, milliseconds - waited) / 1000.0);
    }
}

}  // namespace qz

// The sound service the game needs: one initialisation, MP3 samples, play on a free channel,
// per-channel volume, free. Handle 0 is "no sample" and playing or freeing it does nothing.
#pragma once

#include <string>

namespace qz {

class Sound {
public:
    virtual ~Sound() = default;
    virtual void init(int mixRate, int channels, int flags) = 0;
    virtual int loadSample(const std::string& file) = 0;   // 0 on failure
    virtual int playSample(int sample) = 0;                  // channel, 0 when nothing plays
    virtual void setVolume(int channel, int volume) = 0;     // library scale 0..255
    virtual void freeSample(int sample) = 0;
};

// Silent stand-in: samples load as long as the file exists, nothing is heard.
// Used by the headless backend and whenever no audio device is available.
class SilentSound : public Sound {
public:
    void init(int, int, int) override {}
    int loadSample(const std::string& file) override;
    int playSample(int sample) override { return sample > 0 ? 1 : 0; }
    void setVolume(int, int) override {}
    void freeSample(int) override {}

private:
    int next_ = 0;
};

}  // namespace qz

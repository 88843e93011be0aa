#include "platform/sdl/sdl_sound.hpp"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <vector>

namespace qz {

namespace {

// Sample handles are 1-based slot numbers; a freed slot is reused by the next load.
// Channel numbers given to the game are SDL_mixer's channel + 1, so 0 means "nothing plays".
class SdlSound : public Sound {
public:
    ~SdlSound() override
    {
        if (!open_) return;
        // The window may have shut SDL down already (SDL_Quit); then the device is gone and
        // only the sample memory is left to free.
        const bool deviceOpen = SDL_WasInit(SDL_INIT_AUDIO) != 0;
        if (deviceOpen) Mix_HaltChannel(-1);
        for (Mix_Chunk* chunk : slots_) {
            if (chunk != nullptr) Mix_FreeChunk(chunk);
        }
        if (deviceOpen) {
            Mix_CloseAudio();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
        Mix_Quit();
    }

    void init(int mixRate, int channels, int) override
    {
        if (open_ || silent_) return;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            silent_ = true;
            return;
        }
        Mix_Init(MIX_INIT_MP3);
        if (Mix_OpenAudio(mixRate, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            silent_ = true;
            return;
        }
        Mix_AllocateChannels(channels);
        open_ = true;
    }

    int loadSample(const std::string& file) override
    {
        if (!open_) return fallback_.loadSample(file);
        Mix_Chunk* chunk = Mix_LoadWAV(file.c_str());
        if (chunk == nullptr) return 0;
        auto freeSlot = std::find(slots_.begin(), slots_.end(), nullptr);
        if (freeSlot == slots_.end()) freeSlot = slots_.insert(slots_.end(), nullptr);
        *freeSlot = chunk;
        return static_cast<int>(freeSlot - slots_.begin()) + 1;
    }

    int playSample(int sample) override
    {
        if (!open_) return fallback_.playSample(sample);
        Mix_Chunk* chunk = chunkOf(sample);
        if (chunk == nullptr) return 0;
        const int channel = Mix_PlayChannel(-1, chunk, 0);
        return channel < 0 ? 0 : channel + 1;
    }

    void setVolume(int channel, int volume) override
    {
        if (!open_ || channel < 1 || channel > Mix_AllocateChannels(-1)) return;
        Mix_Volume(channel - 1, mixerVolume(volume));
    }

    void freeSample(int sample) override
    {
        if (!open_) return;
        Mix_Chunk* chunk = chunkOf(sample);
        if (chunk == nullptr) return;
        Mix_FreeChunk(chunk);  // halts the channels still playing it first
        slots_[static_cast<std::size_t>(sample - 1)] = nullptr;
    }

private:
    Mix_Chunk* chunkOf(int sample) const
    {
        if (sample < 1 || static_cast<std::size_t>(sample) > slots_.size()) return nullptr;
        return slots_[static_cast<std::size_t>(sample - 1)];
    }

    bool open_ = false;
    bool silent_ = false;
    std::vector<Mix_Chunk*> slots_;
    SilentSound fallback_;
};

}  // namespace

int mixerVolume(int volume) { return std::clamp(volume * MIX_MAX_VOLUME / 255, 0, MIX_MAX_VOLUME); }

std::unique_ptr<Sound> makeSdlSound() { return std::make_unique<SdlSound>(); }

}  // namespace qz

#include "platform/sdl/sdl_sound.hpp"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace qz {

namespace {

// Files above this size are music: they are streamed from disk instead of being decoded into
// memory at load time, which would stall the game for a noticeable moment at every track
// change and hold some 50 MB of samples per track.
constexpr std::uintmax_t kStreamFrom = 1024 * 1024;

// One loaded sample: either decoded into memory, or a stream (at most one at a time).
struct Slot {
    Mix_Chunk* chunk = nullptr;
    Mix_Music* music = nullptr;
    bool used() const { return chunk != nullptr || music != nullptr; }
};

// Sample handles are 1-based slot numbers; a freed slot is reused by the next load.
// Channel numbers given to the game are SDL_mixer's channel + 1, so 0 means "nothing plays";
// the stream plays on the channel after the last mixing channel.
class SdlSound : public Sound {
public:
    ~SdlSound() override
    {
        if (!open_) return;
        // The window may have shut SDL down already (SDL_Quit); then the device is gone and
        // only the sample memory is left to free.
        const bool deviceOpen = SDL_WasInit(SDL_INIT_AUDIO) != 0;
        if (deviceOpen) {
            Mix_HaltChannel(-1);
            Mix_HaltMusic();
        }
        for (Slot& slot : slots_) release(slot);
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
        channels_ = Mix_AllocateChannels(channels);
        open_ = true;
    }

    int loadSample(const std::string& file) override
    {
        if (!open_) return fallback_.loadSample(file);
        Slot loaded;
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(file, error);
        if (!error && size > kStreamFrom && !streamLoaded()) loaded.music = Mix_LoadMUS(file.c_str());
        if (!loaded.used()) loaded.chunk = Mix_LoadWAV(file.c_str());
        if (!loaded.used()) return 0;
        auto freeSlot = std::find_if(slots_.begin(), slots_.end(), [](const Slot& s) { return !s.used(); });
        if (freeSlot == slots_.end()) freeSlot = slots_.insert(slots_.end(), Slot{});
        *freeSlot = loaded;
        return static_cast<int>(freeSlot - slots_.begin()) + 1;
    }

    int playSample(int sample) override
    {
        if (!open_) return fallback_.playSample(sample);
        const Slot* slot = slotOf(sample);
        if (slot == nullptr) return 0;
        if (slot->music != nullptr) return Mix_PlayMusic(slot->music, 0) == 0 ? streamChannel() : 0;
        const int channel = Mix_PlayChannel(-1, slot->chunk, 0);
        return channel < 0 ? 0 : channel + 1;
    }

    void setVolume(int channel, int volume) override
    {
        if (!open_) return;
        if (channel == streamChannel()) {
            Mix_VolumeMusic(mixerVolume(volume));
        } else if (channel >= 1 && channel <= channels_) {
            Mix_Volume(channel - 1, mixerVolume(volume));
        }
    }

    void freeSample(int sample) override
    {
        if (!open_) return;
        Slot* slot = slotOf(sample);
        if (slot != nullptr) release(*slot);
    }

private:
    Slot* slotOf(int sample)
    {
        if (sample < 1 || static_cast<std::size_t>(sample) > slots_.size()) return nullptr;
        Slot& slot = slots_[static_cast<std::size_t>(sample - 1)];
        return slot.used() ? &slot : nullptr;
    }

    bool streamLoaded() const
    {
        return std::any_of(slots_.begin(), slots_.end(), [](const Slot& s) { return s.music != nullptr; });
    }

    int streamChannel() const { return channels_ + 1; }

    // Freeing halts whatever still plays the sample first.
    static void release(Slot& slot)
    {
        if (slot.chunk != nullptr) Mix_FreeChunk(slot.chunk);
        if (slot.music != nullptr) Mix_FreeMusic(slot.music);
        slot = Slot{};
    }

    bool open_ = false;
    bool silent_ = false;
    int channels_ = 0;
    std::vector<Slot> slots_;
    SilentSound fallback_;
};

}  // namespace

int mixerVolume(int volume) { return std::clamp(volume * MIX_MAX_VOLUME / 255, 0, MIX_MAX_VOLUME); }

std::unique_ptr<Sound> makeSdlSound() { return std::make_unique<SdlSound>(); }

}  // namespace qz

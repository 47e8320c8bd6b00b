// platform/sdl: the sound output over SDL2's audio device.
#include <SDL.h>    // Required for: SDL_OpenAudioDevice, SDL_LockAudioDevice
#include <dlfcn.h>  // Required for: dlopen, dlsym (the ALSA library's message hook)

#include "runtime/platform/audio.h"

#include <utility>  // Required for: std::move

namespace platform {
namespace {

constexpr Uint16 kCallbackFrames = 512;  // about 23 ms at 22050 Hz

// The ALSA library writes its complaints (no sound card, no "default"
// device, underruns) to stderr. While SDL opens the device through it they
// are dropped instead; a device that stays closed is the caller's to report,
// once. The hook stays in the library for as long as SDL keeps it loaded.
class QuietAlsa {
public:
    QuietAlsa() : library(dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL)) {
        if (library == nullptr) return;
        using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
        using SetHandler = int (*)(Handler);
        if (auto set = reinterpret_cast<SetHandler>(dlsym(library, "snd_lib_error_set_handler"))) set(&dropComplaint);
    }
    ~QuietAlsa() {
        if (library != nullptr) dlclose(library);
    }
    QuietAlsa(const QuietAlsa&) = delete;
    QuietAlsa& operator=(const QuietAlsa&) = delete;

private:
    static void dropComplaint(const char*, int, const char*, int, const char*, ...) {}
    void* library;
};

class SdlAudioOutput final : public AudioOutput {
public:
    explicit SdlAudioOutput(AudioCallback callback) : callback(std::move(callback)) {}
    ~SdlAudioOutput() override {
        if (device != 0) SDL_CloseAudioDevice(device);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool open(int frequency) {
        SDL_AudioSpec wanted{};
        wanted.freq = frequency;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 2;
        wanted.samples = kCallbackFrames;
        wanted.callback = &SdlAudioOutput::fill;
        wanted.userdata = this;
        // No allowed changes: SDL converts to whatever the hardware plays.
        device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
        if (device == 0) return false;
        SDL_PauseAudioDevice(device, 0);
        return true;
    }

    void lock() override { SDL_LockAudioDevice(device); }
    void unlock() override { SDL_UnlockAudioDevice(device); }

private:
    static void fill(void* self, Uint8* stream, int bytes) {
        auto* output = static_cast<SdlAudioOutput*>(self);
        output->callback(reinterpret_cast<int16_t*>(stream), bytes / 4);
    }

    AudioCallback callback;
    SDL_AudioDeviceID device = 0;
};

AudioOutput::OpenHook& openHook() {
    static AudioOutput::OpenHook hook;
    return hook;
}

}  // namespace

void AudioOutput::setOpenHook(OpenHook hook) { openHook() = std::move(hook); }

std::string AudioOutput::lastError() { return SDL_GetError(); }

std::unique_ptr<AudioOutput> AudioOutput::open(int frequency, AudioCallback callback) {
    if (openHook()) return openHook()(frequency, std::move(callback));
    const QuietAlsa quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    auto output = std::make_unique<SdlAudioOutput>(std::move(callback));
    if (!output->open(frequency)) return nullptr;  // its destructor quits the subsystem
    return output;
}

}  // namespace platform

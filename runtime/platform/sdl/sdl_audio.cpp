// platform/sdl: the sound output over SDL2's audio device.
#include <SDL.h>  // Required for: SDL_OpenAudioDevice

#include "runtime/platform/audio.h"

#include <utility>  // Required for: std::move

namespace platform {
namespace {

class SdlAudioOutput final : public AudioOutput {
public:
    explicit SdlAudioOutput(SDL_AudioDeviceID device) : device(device) {}
    ~SdlAudioOutput() override {
        SDL_CloseAudioDevice(device);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

private:
    SDL_AudioDeviceID device;
};

std::function<std::unique_ptr<AudioOutput>()>& openHook() {
    static std::function<std::unique_ptr<AudioOutput>()> hook;
    return hook;
}

}  // namespace

void AudioOutput::setOpenHook(std::function<std::unique_ptr<AudioOutput>()> hook) {
    openHook() = std::move(hook);
}

std::unique_ptr<AudioOutput> AudioOutput::open() {
    if (openHook()) return openHook()();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    SDL_AudioSpec wanted{};
    wanted.freq = 44100;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = 1024;
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    return std::make_unique<SdlAudioOutput>(device);
}

}  // namespace platform

// sound: opening and releasing the output device and its mixer.
#include "runtime/sound/sound_device.h"

#include <string>  // Required for: std::string

#include "runtime/files/error_log.h"

int SoundDevice::init(uint32_t newWindow, size_t voices) {
    release();
    window = newWindow;
    mixer = std::make_unique<Mixer>(kOutputRate, voices);
    Mixer* m = mixer.get();
    output = platform::AudioOutput::open(kOutputRate, [m](int16_t* samples, int frames) { m->render(samples, frames); });
    if (output == nullptr) {
        mixer.reset();
        const std::string reason = platform::AudioOutput::lastError();
        appendErrorLog((reason.empty() ? std::string("Sound is off") : "Sound is off: " + reason).c_str());
        return 0;
    }
    getCaps();
    return 1;
}

void SoundDevice::setCooperativeLevel(uint32_t newWindow) {
    if (isOpen()) window = newWindow;
}

void SoundDevice::getCaps() {
    if (!isOpen()) return;
    caps = {mixer->outputRate(), kOutputChannels, kOutputBits, static_cast<uint32_t>(mixer->capacity())};
}

void SoundDevice::release() {
    output.reset();
    mixer.reset();
}

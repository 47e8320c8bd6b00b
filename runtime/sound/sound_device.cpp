// sound: opening and releasing the output device.
#include "runtime/sound/sound_device.h"

void SoundDevice::init(uint32_t newWindow) {
    window = newWindow;
    output = platform::AudioOutput::open();
}

void SoundDevice::setCooperativeLevel(uint32_t newWindow) { window = newWindow; }

void SoundDevice::release() { output.reset(); }

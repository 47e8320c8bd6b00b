// sound: the sound commands; names resolve through files' resource archive,
// slots live in RuntimeState.
#include "runtime/sound/sound_commands.h"

#include <algorithm>  // Required for: std::clamp, std::min
#include <cmath>      // Required for: std::trunc, std::isnan
#include <string>     // Required for: std::string

#include "runtime/files/resource_archive.h"
#include "runtime/files/runtime_archives.h"
#include "runtime/sound/sound_device.h"
#include "runtime/sound/sound_engines.h"
#include "runtime/sound/sound_sample.h"

namespace {

constexpr int32_t kLastSlot = kSoundSlots - 1;
constexpr int32_t kCopyBits = 8;
constexpr int32_t kCopyMask = 0xFF;

// The slot a load or play names (above the table: the last slot); null for a
// negative number or before start-up.
SoundSample* slotFor(int32_t slot) {
    SoundSample* slots = soundSlots();
    if (slots == nullptr || slot < 0) return nullptr;
    return &slots[std::min(slot, kLastSlot)];
}

// The slot of a channel; null for a negative channel or a slot past the table.
SoundSample* slotOfChannel(int32_t channel) {
    SoundSample* slots = soundSlots();
    if (slots == nullptr || channel < 0 || (channel >> kCopyBits) > kLastSlot) return nullptr;
    return &slots[channel >> kCopyBits];
}

}  // namespace

int32_t firstFreeSound() {
    SoundSample* slots = soundSlots();
    if (slots == nullptr) return -1;
    for (int32_t i = 0; i < kSoundSlots; ++i) {
        if (!slots[i].inUse()) return i;
    }
    return -1;
}

int32_t loadSound(const RtString& path, int32_t slot, int32_t copies) {
    SoundSample* sample = slotFor(slot);
    if (sample == nullptr) return 0;
    std::string resolved;
    archiveFetch(mainArchive(), path.data, resolved, 1);
    return sample->load(soundDevice(), resolved.c_str(), copies);
}

int32_t playSound(int32_t slot, double pan, double volume) {
    SoundSample* sample = slotFor(slot);
    if (sample == nullptr) return -1;
    const auto panUnits = static_cast<int32_t>(std::trunc(std::clamp(std::isnan(pan) ? 0.0 : pan, -1.0, 1.0) * 10000.0));
    const double percent = std::trunc(std::min(volume * 100.0, 100.0));
    const auto percentInt = static_cast<int32_t>(percent > 0.0 ? percent : 0.0);
    const int copy = sample->play(panUnits, percentInt, 0);
    if (copy < 0) return copy;
    return static_cast<int32_t>(sample - soundSlots()) * 256 + copy;
}

int32_t soundPlaying(int32_t channel) {
    SoundSample* sample = slotOfChannel(channel);
    return sample != nullptr ? sample->isPlaying(channel & kCopyMask) : 0;
}

void stopSound(int32_t channel) {
    if (SoundSample* sample = slotOfChannel(channel)) sample->stop(channel & kCopyMask);
}

void stopAllSounds() {
    SoundSample* slots = soundSlots();
    if (slots == nullptr) return;
    for (int32_t i = 0; i < kSoundSlots; ++i) slots[i].stop(-1);
}

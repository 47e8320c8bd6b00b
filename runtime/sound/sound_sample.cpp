// sound: the sound slots; reads WAV files through files/FileStream and plays
// through the device's mixer, always under the device's audio lock.
#include "runtime/sound/sound_sample.h"

#include <algorithm>  // Required for: std::clamp
#include <cstdint>    // Required for: INT32_MAX
#include <new>        // Required for: std::bad_alloc
#include <vector>     // Required for: std::vector

#include "runtime/files/file_stream.h"
#include "runtime/sound/rate_converter.h"
#include "runtime/sound/sound_device.h"

bool SoundSample::deviceOpen() const { return device != nullptr && device->isOpen(); }

void SoundSample::releaseAll() {
    if (deviceOpen() && copyCount != 0) {
        stop(-1);
        auto mixer = device->lockMixer();
        for (int32_t voice : copies) mixer->releaseVoice(voice);
    }
    copies.fill(-1);
    pans.fill(0);
    copyCount = 0;
    currentCopy = 0;
}

int SoundSample::load(SoundDevice* newDevice, const char* newPath, int wanted) {
    releaseAll();
    device = newDevice;
    wanted = std::clamp(wanted, 1, kMaxSoundCopies);
    if (!deviceOpen()) {
        copyCount = 0;
        return 0;
    }
    copyCount = wanted;
    path = newPath;
    if (loadWaveWithin() == 0) {
        copyCount = 0;
        return 0;
    }
    // A copy that cannot be made leaves the slot with those that were.
    auto mixer = device->lockMixer();
    for (int i = 1; i < copyCount; ++i) {
        copies[i] = mixer->duplicateVoice(copies[0]);
        if (copies[i] < 0) {
            copyCount = i;
            break;
        }
    }
    return 1;
}

int SoundSample::loadWave() {
    FileStream stream;
    if (!stream.openRead(path.c_str())) return 0;
    const int32_t size = stream.size();
    if (size <= 0) return 0;
    const auto bytesAt = [&stream](uint64_t offset, std::span<uint8_t> out) {
        if (offset > INT32_MAX || out.size() > INT32_MAX) return false;
        stream.seek(static_cast<int32_t>(offset), FileStream::Origin::Begin);
        return stream.read(out.data(), static_cast<int32_t>(out.size()));
    };
    // Sizes are checked against the file and the slot's limit before any
    // storage is taken for the data.
    std::optional<WaveLayout> wave = locateWave(static_cast<uint64_t>(size), bytesAt);
    if (!wave || !playableWaveFormat(wave->format) || !waveFitsInSlot(wave->format, wave->dataSize)) return 0;
    std::vector<uint8_t> data(wave->dataSize);
    if (!bytesAt(wave->dataOffset, data)) return 0;
    stream.close();
    std::shared_ptr<PcmSound> sound = decodeWaveData(wave->format, data);
    data = {};
    sound = convertRate(std::move(sound), kOutputRate);
    if (sound == nullptr) return 0;
    return makeFirstCopy(std::move(sound)) ? 1 : 0;
}

int SoundSample::loadWaveWithin() {
    try {
        return loadWave();
    } catch (const std::bad_alloc&) {
        return 0;  // too large for the memory there is: a failed load like any other
    }
}

int SoundSample::createBuffer(uint32_t bytes, uint32_t samplesPerSecond, uint16_t bitsPerSample, uint16_t blockAlign,
                              bool stereo) {
    WaveFormat format;
    format.formatTag = 1;
    format.channels = stereo ? 2 : 1;
    format.samplesPerSecond = samplesPerSecond;
    format.bytesPerSecond = samplesPerSecond * blockAlign;
    format.blockAlign = blockAlign;
    format.bitsPerSample = bitsPerSample;
    if (!deviceOpen() || !playableWaveFormat(format) || bytes / blockAlign == 0) return 0;
    // Silence needs no filter: it is made at the mixer's rate at once.
    const uint64_t frames = framesAtRate(bytes / blockAlign, samplesPerSecond, kOutputRate);
    if (frames * format.channels * sizeof(int16_t) > kMaxSoundBytes) return 0;
    try {
        auto sound = std::make_shared<PcmSound>();
        sound->rate = kOutputRate;
        sound->channels = format.channels;
        sound->samples.assign(frames * format.channels, 0);
        return makeFirstCopy(std::move(sound)) ? 1 : 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

bool SoundSample::makeFirstCopy(std::shared_ptr<PcmSound> sound) {
    auto mixer = device->lockMixer();
    mixer->releaseVoice(copies[0]);
    copies[0] = mixer->createVoice(std::move(sound));
    if (copies[0] >= 0) return true;
    device = nullptr;
    return false;
}

// The copy last used when it is free; else, with more copies, the next one
// in turn, stopped and rewound when it still plays.
int32_t SoundSample::pickCopy() {
    if (!deviceOpen() || copyCount == 0) return -1;
    auto guard = device->lockMixer();
    Mixer& mixer = *guard;
    if (!mixer.isPlaying(copies[currentCopy])) return copies[currentCopy];
    if (copyCount < 2) return -1;
    currentCopy = currentCopy + 1 < copyCount ? currentCopy + 1 : 0;
    int32_t voice = copies[currentCopy];
    if (mixer.isPlaying(voice)) {
        mixer.stop(voice);
        mixer.setPosition(voice, 0);
    }
    return voice;
}

int SoundSample::play(int32_t pan, int32_t percent, uint32_t flags) {
    if (!deviceOpen() || copyCount == 0) return -1;
    int32_t voice = pickCopy();
    if (voice < 0) return -1;
    auto mixer = device->lockMixer();
    pans[currentCopy] = pan;
    mixer->setGain(voice, voiceGains(volumeFromPercent(percent), pan));
    mixer->play(voice, (flags & kPlayLooping) != 0);
    return currentCopy;
}

int SoundSample::stop(int32_t copy) {
    if (!deviceOpen() || copyCount == 0) return 0;
    auto mixer = device->lockMixer();
    const bool all = copy < 0 || copy >= copyCount;
    for (int32_t i = all ? 0 : copy; i < (all ? copyCount : copy + 1); ++i) {
        mixer->stop(copies[i]);
        mixer->setPosition(copies[i], 0);
    }
    return 1;
}

int SoundSample::isPlaying(int32_t copy) {
    if (!deviceOpen() || copy < 0 || copy >= copyCount) return 0;
    return device->lockMixer()->isPlaying(copies[copy]) ? 1 : 0;
}

void SoundSample::setVolumeAll(int32_t percent) {
    if (!deviceOpen() || copyCount == 0) return;
    auto mixer = device->lockMixer();
    for (int32_t i = 0; i < copyCount; ++i) mixer->setGain(copies[i], voiceGains(volumeFromPercent(percent), pans[i]));
}

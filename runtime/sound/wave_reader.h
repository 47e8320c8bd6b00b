// sound: the WAV file reader. It checks every chunk against the bytes it has
// and accepts only what the mixer plays: PCM, 8 or 16 bits, 1 or 2 channels.
#pragma once

#include <cstdint>     // Required for: fixed-width fields
#include <functional>  // Required for: std::function
#include <memory>      // Required for: std::shared_ptr
#include <optional>  // Required for: std::optional
#include <span>      // Required for: std::span

#include "runtime/sound/pcm_sound.h"

// The first 16 bytes of a "fmt " chunk.
struct WaveFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSecond = 0;
    uint32_t bytesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    bool pcmSubFormat = false;  // an extensible format whose sub-format is PCM
};

struct WaveFile {
    WaveFormat format;
    std::span<const uint8_t> data;  // the "data" chunk, inside the parsed bytes
};

// Where a RIFF/WAVE file keeps its format and its data.
struct WaveLayout {
    WaveFormat format;
    uint64_t dataOffset = 0;
    uint32_t dataSize = 0;
};

// Fills `out` with the bytes at `offset`; false when they are not all there.
using WaveBytesAt = std::function<bool(uint64_t offset, std::span<uint8_t> out)>;

// The layout of a RIFF/WAVE file of `fileSize` bytes, read from its chunk
// headers alone; nothing when the header is not RIFF/WAVE, a chunk runs past
// the end, "fmt " is shorter than 16 bytes or missing before "data", or no
// "data" chunk comes.
std::optional<WaveLayout> locateWave(uint64_t fileSize, const WaveBytesAt& bytesAt);

// The same over bytes in memory: the format and the data.
std::optional<WaveFile> parseWave(std::span<const uint8_t> file);

// True for PCM (or extensible PCM), 1 or 2 channels, 8 or 16 bits, a block
// of one frame and a rate of 100 to 200000 samples per second.
bool playableWaveFormat(const WaveFormat& format);

// True when `dataSize` bytes in that (playable) format decode to at most
// kMaxSoundBytes of 16-bit samples.
bool waveFitsInSlot(const WaveFormat& format, uint64_t dataSize);

// The whole frames of `data` as 16-bit samples; nothing when the format is
// not playable or there is not one whole frame.
std::shared_ptr<PcmSound> decodeWaveData(const WaveFormat& format, std::span<const uint8_t> data);

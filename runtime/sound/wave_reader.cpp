// sound: parsing RIFF/WAVE bytes; plain computation, no files and no device.
#include "runtime/sound/wave_reader.h"

#include <algorithm>  // Required for: std::min
#include <cstring>    // Required for: std::memcmp, std::memcpy

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr uint32_t kMinimumRate = 100;
constexpr uint32_t kMaximumRate = 200000;
// The sub-format GUID of extensible PCM after its first two bytes (which hold the tag 1).
constexpr uint8_t kPcmGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                      0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
constexpr size_t kExtensibleSize = 40;

uint16_t u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t u32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

WaveFormat readFormat(std::span<const uint8_t> chunk) {
    const uint8_t* p = chunk.data();
    WaveFormat f;
    f.formatTag = u16(p);
    f.channels = u16(p + 2);
    f.samplesPerSecond = u32(p + 4);
    f.bytesPerSecond = u32(p + 8);
    f.blockAlign = u16(p + 12);
    f.bitsPerSample = u16(p + 14);
    if (f.formatTag == kFormatExtensible && chunk.size() >= kExtensibleSize) {
        f.pcmSubFormat = u16(p + 24) == kFormatPcm && std::memcmp(p + 26, kPcmGuidTail, sizeof kPcmGuidTail) == 0;
    }
    return f;
}

}  // namespace

std::optional<WaveLayout> locateWave(uint64_t fileSize, const WaveBytesAt& bytesAt) {
    uint8_t header[12];
    if (fileSize < sizeof header || !bytesAt(0, header) || std::memcmp(header, "RIFF", 4) != 0 ||
        std::memcmp(header + 8, "WAVE", 4) != 0) {
        return std::nullopt;
    }
    std::optional<WaveFormat> format;
    uint64_t at = 12;
    while (fileSize - at >= 8) {
        if (!bytesAt(at, std::span<uint8_t>(header, 8))) return std::nullopt;
        const uint32_t size = u32(header + 4);
        at += 8;
        if (size > fileSize - at) return std::nullopt;
        if (std::memcmp(header, "fmt ", 4) == 0) {
            if (size < 16) return std::nullopt;
            uint8_t chunk[kExtensibleSize];
            const size_t kept = std::min<size_t>(size, sizeof chunk);
            if (!bytesAt(at, std::span<uint8_t>(chunk, kept))) return std::nullopt;
            format = readFormat(std::span<const uint8_t>(chunk, kept));
        } else if (std::memcmp(header, "data", 4) == 0) {
            if (!format) return std::nullopt;
            return WaveLayout{*format, at, size};
        }
        // Chunks of odd size are followed by a pad byte.
        at += size;
        if ((size & 1) != 0 && at < fileSize) ++at;
    }
    return std::nullopt;
}

std::optional<WaveFile> parseWave(std::span<const uint8_t> file) {
    const auto bytesAt = [file](uint64_t offset, std::span<uint8_t> out) {
        if (offset > file.size() || out.size() > file.size() - offset) return false;
        std::memcpy(out.data(), file.data() + offset, out.size());
        return true;
    };
    std::optional<WaveLayout> layout = locateWave(file.size(), bytesAt);
    if (!layout) return std::nullopt;
    return WaveFile{layout->format, file.subspan(layout->dataOffset, layout->dataSize)};
}

bool playableWaveFormat(const WaveFormat& f) {
    const bool pcm = f.formatTag == kFormatPcm || (f.formatTag == kFormatExtensible && f.pcmSubFormat);
    const bool shape = (f.channels == 1 || f.channels == 2) && (f.bitsPerSample == 8 || f.bitsPerSample == 16);
    return pcm && shape && f.blockAlign == f.channels * f.bitsPerSample / 8 && f.samplesPerSecond >= kMinimumRate &&
           f.samplesPerSecond <= kMaximumRate;
}

bool waveFitsInSlot(const WaveFormat& f, uint64_t dataSize) {
    if (f.blockAlign == 0) return false;
    return dataSize / f.blockAlign * f.channels * sizeof(int16_t) <= kMaxSoundBytes;
}

std::shared_ptr<PcmSound> decodeWaveData(const WaveFormat& format, std::span<const uint8_t> data) {
    if (!playableWaveFormat(format)) return nullptr;
    const size_t frames = data.size() / format.blockAlign;
    if (frames == 0) return nullptr;
    auto pcm = std::make_shared<PcmSound>();
    pcm->rate = format.samplesPerSecond;
    pcm->channels = format.channels;
    const size_t count = frames * format.channels;
    pcm->samples.resize(count);
    if (format.bitsPerSample == 8) {
        for (size_t i = 0; i < count; ++i) pcm->samples[i] = static_cast<int16_t>((data[i] - 128) * 256);
    } else {
        for (size_t i = 0; i < count; ++i) pcm->samples[i] = static_cast<int16_t>(u16(data.data() + 2 * i));
    }
    return pcm;
}

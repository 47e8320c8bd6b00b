// The WAV reader over any bytes: parse, then decode what it accepts.
#include <cstddef>
#include <cstdint>
#include <span>

#include "runtime/sound/wave_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::optional<WaveFile> wave = parseWave(std::span<const uint8_t>(data, size));
    if (wave) decodeWaveData(wave->format, wave->data);
    return 0;
}

// The WAV reader over any bytes: parse, then decode what it accepts and
// convert it to the mixer's rate, as a load does.
#include <cstddef>
#include <cstdint>
#include <span>

#include "runtime/sound/rate_converter.h"
#include "runtime/sound/wave_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::optional<WaveFile> wave = parseWave(std::span<const uint8_t>(data, size));
    if (wave && waveFitsInSlot(wave->format, wave->data.size())) {
        convertRate(decodeWaveData(wave->format, wave->data), 22050);
    }
    return 0;
}

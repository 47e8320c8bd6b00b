// Mixer CPU per device callback (512 frames at 22050 Hz, 23.2 ms of sound)
// with 16, 64 and 256 playing voices: mono and stereo sounds loaded at 11025,
// 22050 and 44100 Hz (converted to the mixer's rate as a load does) with
// different gains. The share of one core is the callback's time over 23.2 ms.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "runtime/sound/mixer.h"
#include "runtime/sound/rate_converter.h"

namespace {

constexpr int kCallbackFrames = 512;
constexpr double kCallbackMs = 1000.0 * kCallbackFrames / 22050.0;

void MixerCallback(benchmark::State& state) {
    const int voices = static_cast<int>(state.range(0));
    Mixer mixer(22050, static_cast<size_t>(voices));
    const uint32_t rates[] = {11025, 22050, 44100};
    for (int i = 0; i < voices; ++i) {
        auto sound = std::make_shared<PcmSound>();
        sound->rate = rates[i % 3];
        sound->channels = 1 + i % 2;
        sound->samples.resize(static_cast<size_t>(sound->rate) * sound->channels);  // one second
        for (size_t k = 0; k < sound->samples.size(); ++k) sound->samples[k] = static_cast<int16_t>((k * 37) % 2000);
        int32_t v = mixer.createVoice(convertRate(sound, 22050));
        mixer.setGain(v, voiceGains(-100 * (i % 30), 300 * (i % 7) - 1000));
        mixer.play(v, true);
    }
    std::vector<int16_t> out(2 * kCallbackFrames);
    for (auto _ : state) {
        mixer.render(out.data(), kCallbackFrames);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["callback_ms_of_sound"] = kCallbackMs;
}

}  // namespace

BENCHMARK(MixerCallback)->Arg(16)->Arg(64)->Arg(256)->Unit(benchmark::kMicrosecond);

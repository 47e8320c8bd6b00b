// Test helper: the runtime's device and 4096 slots over an audio output
// whose frames the test pulls, with files in a folder of the test's own
// (which is also the temporary folder, so the error log lands there).
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/core/runtime_state.h"
#include "runtime/sound/sound_commands.h"
#include "runtime/sound/sound_device.h"
#include "runtime/sound/sound_engines.h"
#include "runtime/sound/sound_sample.h"
#include "tests/sound/fake_audio_output.h"
#include "tests/sound/wave_bytes.h"

class SoundSlots : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("krv_sound_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        ::setenv("TMPDIR", folder.c_str(), 1);
        FakeAudioOutput::install(audio);
        openDevice(SoundDevice::kDefaultVoices);
    }
    void TearDown() override {
        closeDevice();
        platform::AudioOutput::setOpenHook({});
        std::filesystem::remove_all(folder);
        ::unsetenv("TMPDIR");
    }
    void openDevice(size_t voices) {
        deviceResult = createSoundDevice().init(7, voices);
        createSoundSlots();
    }
    void closeDevice() {
        runtimeState().engines.destroy(EngineSlot::SoundSlots);
        runtimeState().engines.destroy(EngineSlot::SoundDevice);
    }
    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::filesystem::path p = folder / name;
        std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return p.string();
    }
    // A mono file at the output rate whose frame i holds i.
    std::string ramp(uint32_t frames) {
        std::vector<int16_t> samples(frames);
        for (uint32_t i = 0; i < frames; ++i) samples[i] = static_cast<int16_t>(i);
        return write("ramp.wav", wave_bytes::riff({wave_bytes::fmt(1, 1, 22050, 16), wave_bytes::data16(samples)}));
    }
    std::string constant(int16_t value) { return write("constant.wav", wave_bytes::constantWave(1, 22050, value, 4000)); }
    SoundSample& slot(int n) { return soundSlots()[n]; }
    std::vector<int16_t> pull(int frames) { return FakeAudioOutput::pull(audio, frames); }

    FakeAudioOutput::Shared audio;
    std::filesystem::path folder;
    int deviceResult = -1;
};


// The device end to end: SDL's disk audio driver records what the mixer
// played, and the recording shows each pan and volume's levels.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "runtime/sound/sound_device.h"
#include "runtime/sound/sound_sample.h"
#include "tests/sound/wave_bytes.h"

namespace {

struct Level {
    int16_t left, right;
    bool operator==(const Level&) const = default;
};

// The runs of equal non-silent frames in a 16-bit stereo recording.
std::vector<Level> runsOf(const std::string& recording) {
    std::vector<Level> runs;
    for (size_t at = 0; at + 4 <= recording.size(); at += 4) {
        Level l{static_cast<int16_t>(static_cast<uint8_t>(recording[at]) | (recording[at + 1] << 8)),
                static_cast<int16_t>(static_cast<uint8_t>(recording[at + 2]) | (recording[at + 3] << 8))};
        if (l == Level{0, 0}) continue;
        if (runs.empty() || !(runs.back() == l)) runs.push_back(l);
    }
    return runs;
}

TEST(DiskOutput, TheRecordingHoldsEachPanAndVolumeLevel) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("krv_disk_audio_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string recording = (folder / "out.raw").string();
    const std::string wave = (folder / "tone.wav").string();
    {
        std::vector<uint8_t> bytes = wave_bytes::constantWave(1, 22050, 20000, 2205);
        std::ofstream(wave, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", recording.c_str(), 1);

    struct Case {
        int32_t pan, percent;
        Level expected;
    } cases[] = {
        {0, 100, {20000, 20000}},   {-10000, 100, {20000, 0}}, {2000, 100, {2000, 20000}},
        {0, 80, {2000, 2000}},      {-1000, 90, {6325, 2000}},
    };
    {
        SoundDevice device;
        ASSERT_EQ(device.init(0), 1);
        SoundSample sample;
        ASSERT_EQ(sample.load(&device, wave.c_str(), 1), 1);
        for (const Case& c : cases) {
            ASSERT_EQ(sample.play(c.pan, c.percent, 0), 0);
            // The driver plays in real time: a tenth of a second per case.
            for (int i = 0; i < 2000 && sample.isPlaying(0) != 0; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            ASSERT_EQ(sample.isPlaying(0), 0);
        }
    }
    std::ifstream in(recording, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove_all(folder);
    std::vector<Level> runs = runsOf(bytes);
    ASSERT_EQ(runs.size(), std::size(cases));
    for (size_t i = 0; i < runs.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(runs[i].left, cases[i].expected.left, 1);
        EXPECT_NEAR(runs[i].right, cases[i].expected.right, 1);
    }
}

}  // namespace

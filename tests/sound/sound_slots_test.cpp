// The sound commands and slots over a device whose frames the test pulls.
#include <cmath>
#include <iterator>
#include <optional>
#include <string>

#include "runtime/files/memory_blocks.h"
#include "runtime/sound/sound_engines.h"
#include "tests/sound/slots_fixture.h"

namespace {

using namespace wave_bytes;

std::string fixture(const char* name) { return std::string(KRV_SOUND_TEST_DATA) + "/" + name; }

double rms(const std::vector<int16_t>& samples, size_t stride, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to; ++i) sum += static_cast<double>(samples[i * stride]) * samples[i * stride];
    return std::sqrt(sum / static_cast<double>(to - from));
}

TEST_F(SoundSlots, TheDeviceOpensAt22050HzStereo) {
    EXPECT_EQ(deviceResult, 1);
    EXPECT_EQ(audio.frequency, 22050);
    const SoundCaps& caps = soundDevice()->caps;
    EXPECT_EQ(caps.sampleRate, 22050u);
    EXPECT_EQ(caps.channels, 2u);
    EXPECT_EQ(caps.bitsPerSample, 16u);
    EXPECT_EQ(pull(3), std::vector<int16_t>(6, 0));
}

TEST_F(SoundSlots, CopiesAreClampedAndChannelsCombineSlotAndCopy) {
    RtString path(constant(100).c_str());
    struct Case {
        int32_t slot, copies, loadedSlot, copyCount;
    } cases[] = {{5, 0, 5, 1}, {6, 9, 6, 4}, {7, -3, 7, 1}, {9000, 2, 4095, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        EXPECT_EQ(loadSound(path, c.slot, c.copies), 1);
        EXPECT_EQ(slot(c.loadedSlot).copyCount, c.copyCount);
    }
    EXPECT_EQ(playSound(6, 0, 1), 6 * 256);
    EXPECT_EQ(playSound(6, 0, 1), 6 * 256 + 1);
    EXPECT_EQ(playSound(9000, 0, 1), 4095 * 256);
    EXPECT_EQ(soundPlaying(6 * 256 + 1), 1);
    EXPECT_EQ(soundPlaying(6 * 256 + 2), 0);
    EXPECT_EQ(soundPlaying(4095 * 256), 1);
}

TEST_F(SoundSlots, ABusySlotRefusesWithOneCopyAndRestartsTheOlderWithTwo) {
    RtString path(ramp(1000).c_str());
    ASSERT_EQ(loadSound(path, 1, 1), 1);
    EXPECT_EQ(playSound(1, 0, 1), 256);
    EXPECT_EQ(playSound(1, 0, 1), -1);

    stopAllSounds();
    ASSERT_EQ(loadSound(path, 2, 2), 1);
    EXPECT_EQ(playSound(2, 0, 1), 512);
    pull(10);
    EXPECT_EQ(playSound(2, 0, 1), 513);
    pull(10);
    // Copy 0 is at frame 20, copy 1 at frame 10; a third play restarts copy 0.
    EXPECT_EQ(pull(1)[0], 20 + 10);
    EXPECT_EQ(playSound(2, 0, 1), 512);
    EXPECT_EQ(pull(1)[0], 0 + 11);
    EXPECT_EQ(soundPlaying(512) + soundPlaying(513), 2);
}

TEST_F(SoundSlots, PanAndVolumeReachTheOutput) {
    ASSERT_EQ(loadSound(RtString(constant(10000).c_str()), 3, 1), 1);
    struct Case {
        double pan, volume;
        int16_t left, right;
    } cases[] = {
        {0, 1, 10000, 10000},  {-5, 2, 10000, 0},  {1, 1, 0, 10000},     {0, 0, 0, 0},
        {0, -1, 0, 0},         {0.2, 1, 1000, 10000}, {-0.2, 1, 10000, 1000}, {0, 0.8, 1000, 1000},
        {0, 0.999, 8913, 8913}, {0.00009, 1, 10000, 10000},  // pan cut toward zero
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "pan " << c.pan << " volume " << c.volume);
        stopSound(3 * 256);
        ASSERT_EQ(playSound(3, c.pan, c.volume), 3 * 256);
        std::vector<int16_t> out = pull(1);
        EXPECT_NEAR(out[0], c.left, 1);
        EXPECT_NEAR(out[1], c.right, 1);
    }
}

TEST_F(SoundSlots, PlaybackEndsAtTheEndOfTheSound) {
    ASSERT_EQ(loadSound(RtString(ramp(100).c_str()), 0, 1), 1);
    EXPECT_EQ(playSound(0, 0, 1), 0);
    pull(99);
    EXPECT_EQ(soundPlaying(0), 1);
    std::vector<int16_t> out = pull(2);
    EXPECT_EQ(out[0], 99);
    EXPECT_EQ(out[2], 0);
    EXPECT_EQ(soundPlaying(0), 0);
    EXPECT_EQ(playSound(0, 0, 1), 0);  // from the start again
    EXPECT_EQ(pull(1)[0], 0);
}

TEST_F(SoundSlots, StopAndStatusTakeChannelsAndRefuseNumbersOutsideTheTable) {
    ASSERT_EQ(loadSound(RtString(constant(100).c_str()), 4, 3), 1);
    for (int i = 0; i < 3; ++i) playSound(4, 0, 1);
    stopSound(4 * 256 + 1);
    EXPECT_EQ(soundPlaying(4 * 256) + soundPlaying(4 * 256 + 1) + soundPlaying(4 * 256 + 2), 2);
    stopSound(4 * 256 + 200);  // beyond the copies: all of them
    EXPECT_EQ(soundPlaying(4 * 256) + soundPlaying(4 * 256 + 2), 0);

    EXPECT_EQ(playSound(4, 0, 1), 4 * 256 + 2);  // the copy after the last one used
    for (int32_t channel : {-1, -256, 4096 * 256, 4096 * 256 + 2, INT32_MAX}) {
        SCOPED_TRACE(channel);
        EXPECT_EQ(soundPlaying(channel), 0);
        stopSound(channel);
    }
    EXPECT_EQ(soundPlaying(4 * 256 + 2), 1);
    EXPECT_EQ(playSound(-1, 0, 1), -1);
    EXPECT_EQ(loadSound(RtString(constant(100).c_str()), -1, 1), 0);
    EXPECT_EQ(firstFreeSound(), 0);
    stopAllSounds();
    EXPECT_EQ(soundPlaying(4 * 256 + 2), 0);
}

TEST_F(SoundSlots, FirstFreeSoundSkipsLoadedSlotsAndAFailedLoadEmptiesItsSlot) {
    RtString good(constant(100).c_str());
    RtString bad(write("bad.wav", riff({fmt(3, 2, 22050, 32), data16({1, 2})})).c_str());
    EXPECT_EQ(firstFreeSound(), 0);
    loadSound(good, 0, 1);
    loadSound(good, 1, 1);
    EXPECT_EQ(firstFreeSound(), 2);
    EXPECT_EQ(loadSound(bad, 2, 1), 0);
    EXPECT_EQ(firstFreeSound(), 2);
    EXPECT_EQ(loadSound(RtString((folder / "missing.wav").c_str()), 0, 1), 0);
    EXPECT_EQ(slot(0).copyCount, 0);
    EXPECT_EQ(firstFreeSound(), 0);
    EXPECT_EQ(playSound(0, 0, 1), -1);
}

// Tones made by sox at other rates than the device's: each comes out at its
// own length and level, and one above half the device's rate is filtered
// away instead of coming out folded back to a lower tone.
TEST_F(SoundSlots, SoundsAtOtherRatesKeepTheirLengthAndLevelWithoutFoldedTones) {
    struct Case {
        const char* file;
        double seconds;
        bool aboveHalfTheDeviceRate;
    } cases[] = {{"tone_1khz_44100_stereo.wav", 0.1, false},
                 {"tone_440hz_11025_8bit.wav", 0.25, false},
                 {"tone_15khz_44100.wav", 0.25, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        std::ifstream in(fixture(c.file), std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::optional<WaveFile> wave = parseWave(bytes);
        ASSERT_TRUE(wave.has_value());
        std::shared_ptr<PcmSound> source = decodeWaveData(wave->format, wave->data);
        ASSERT_NE(source, nullptr);
        const double sourceLevel = rms(source->samples, source->channels, 0, source->frames());

        ASSERT_EQ(loadSound(RtString(fixture(c.file).c_str()), 1, 1), 1);
        ASSERT_EQ(playSound(1, 0, 1), 256);
        const std::vector<int16_t> out = pull(static_cast<int>(c.seconds * 22050) + 2000);
        const auto frames = static_cast<size_t>(c.seconds * 22050);
        const double level = 20 * std::log10(rms(out, 2, 200, frames - 200) / sourceLevel);
        if (c.aboveHalfTheDeviceRate) {
            EXPECT_LT(level, -40.0);
            continue;
        }
        EXPECT_NEAR(level, 0.0, 0.5);
        EXPECT_NEAR(rms(out, 2, 200, frames - 200), rms(std::vector<int16_t>(out.begin() + 1, out.end()), 2, 200,
                                                        frames - 200), 1.0);  // right as left
        size_t last = 0;
        for (size_t i = 0; i < out.size() / 2; ++i) {
            if (std::abs(out[2 * i]) > 300) last = i;
        }
        EXPECT_NEAR(static_cast<double>(last), static_cast<double>(frames), 8.0);
        EXPECT_EQ(soundPlaying(256), 0);
    }
}

// Every rate the device takes loads, the slowest included, and lasts as long
// at the device's rate as it did at its own.
TEST_F(SoundSlots, EveryRateFrom100HzLoadsAndKeepsItsLength) {
    for (uint32_t rate : {100u, 101u, 150u, 441u, 8000u, 22050u, 48000u, 96000u, 200000u}) {
        for (uint16_t channels : {1, 2}) {
            SCOPED_TRACE(std::to_string(rate) + " Hz, channels " + std::to_string(channels));
            const std::string path = write("rate.wav", constantWave(channels, rate, 8000, rate / 2));
            ASSERT_EQ(loadSound(RtString(path.c_str()), 1, 1), 1);
            ASSERT_EQ(playSound(1, 0, 1), 256);
            const std::vector<int16_t> out = pull(22050 / 2 + 2000);
            size_t last = 0;
            for (size_t i = 0; i < out.size() / 2; ++i) {
                if (std::abs(out[2 * i]) > 4000) last = i;
            }
            EXPECT_NEAR(static_cast<double>(last), 22050 / 2, 22050.0 / rate + 8.0);
            EXPECT_NEAR(out[2 * 22050 / 4], 8000, 80);  // the middle keeps its level
            stopAllSounds();
        }
    }
}

TEST_F(SoundSlots, LoadsFromAMemoryFile) {
    MemoryBlock block = registerMemoryBlock(constantWave(2, 44100, 300, 50));
    ASSERT_EQ(loadSound(RtString(memoryFileName(block).c_str()), 8, 1), 1);
    EXPECT_EQ(playSound(8, 0, 1), 8 * 256);
    EXPECT_EQ(pull(1)[1], 300);
}

TEST_F(SoundSlots, WithoutADeviceEveryLoadFails) {
    closeDevice();
    platform::AudioOutput::setOpenHook([](int, platform::AudioCallback) { return nullptr; });
    openDevice(SoundDevice::kDefaultVoices);
    EXPECT_EQ(deviceResult, 0);
    EXPECT_EQ(loadSound(RtString(constant(100).c_str()), 0, 1), 0);
    EXPECT_EQ(playSound(0, 0, 1), -1);
    EXPECT_EQ(firstFreeSound(), 0);
}

TEST_F(SoundSlots, ACopyThatCannotBeMadeLeavesTheSlotWithThoseThatWere) {
    closeDevice();
    openDevice(3);
    RtString path(constant(100).c_str());
    ASSERT_EQ(loadSound(path, 0, 4), 1);
    EXPECT_EQ(slot(0).copyCount, 3);
    for (int copy = 0; copy < 3; ++copy) EXPECT_EQ(playSound(0, 0, 1), copy);
    EXPECT_EQ(playSound(0, 0, 1), 0);  // the oldest again
    // No voice left for another slot: its load fails and forgets the device.
    EXPECT_EQ(loadSound(path, 1, 1), 0);
    EXPECT_EQ(slot(1).device, nullptr);
    EXPECT_EQ(firstFreeSound(), 1);
    // Releasing slot 0 gives its voices back.
    slot(0).releaseAll();
    EXPECT_EQ(loadSound(path, 1, 2), 1);
    EXPECT_EQ(slot(1).copyCount, 2);
}

}  // namespace

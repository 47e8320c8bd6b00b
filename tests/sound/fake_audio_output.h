// Test helper: an audio output without a device. It keeps the callback, so a
// test pulls frames itself, and it counts the lock so that misuse shows.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "runtime/platform/audio.h"

class FakeAudioOutput : public platform::AudioOutput {
public:
    struct Shared {
        platform::AudioCallback callback;
        int frequency = 0;
        int lockDepth = 0;
        int opens = 0;
    };
    explicit FakeAudioOutput(Shared& shared) : shared(shared) {}
    ~FakeAudioOutput() override { shared.callback = nullptr; }
    void lock() override {
        EXPECT_EQ(shared.lockDepth, 0) << "the audio lock is not recursive";
        ++shared.lockDepth;
    }
    void unlock() override { --shared.lockDepth; }

    // Installs the fake as the device that AudioOutput::open gives.
    static void install(Shared& shared) {
        platform::AudioOutput::setOpenHook([&shared](int frequency, platform::AudioCallback callback) {
            shared.frequency = frequency;
            shared.callback = std::move(callback);
            ++shared.opens;
            return std::make_unique<FakeAudioOutput>(shared);
        });
    }
    // The next `frames` stereo frames the device would play.
    static std::vector<int16_t> pull(Shared& shared, int frames) {
        std::vector<int16_t> out(2 * static_cast<size_t>(frames));
        EXPECT_EQ(shared.lockDepth, 0);
        shared.callback(out.data(), frames);
        return out;
    }

private:
    Shared& shared;
};

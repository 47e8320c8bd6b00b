// platform: the sound output device. The device pulls 16-bit signed stereo
// frames from a callback on its own thread; lock() holds the callback off
// while the main thread changes what the callback reads.
#pragma once

#include <cstdint>     // Required for: int16_t
#include <functional>  // Required for: std::function
#include <memory>      // Required for: std::unique_ptr
#include <string>      // Required for: std::string

namespace platform {

// Fills `frames` interleaved stereo frames (2 x frames samples).
using AudioCallback = std::function<void(int16_t* samples, int frames)>;

// The default output, open for the life of the object.
class AudioOutput {
public:
    // Opens the default device at `frequency` samples per second, 16-bit
    // stereo (the device converts when it plays another format) and starts
    // pulling from `callback`. Null when no output device can be opened; the
    // sound library's complaints stay off stderr either way.
    static std::unique_ptr<AudioOutput> open(int frequency, AudioCallback callback);
    // Why the last open failed, in the audio back end's words.
    static std::string lastError();
    virtual ~AudioOutput() = default;

    // While locked the callback does not run. Not recursive.
    virtual void lock() {}
    virtual void unlock() {}

    // Test seam: open() returns what the hook makes of the frequency and the
    // callback; an empty hook restores the device.
    using OpenHook = std::function<std::unique_ptr<AudioOutput>(int frequency, AudioCallback callback)>;
    static void setOpenHook(OpenHook hook);
};

}  // namespace platform

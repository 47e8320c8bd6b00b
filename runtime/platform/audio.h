// platform: the sound output device.
#pragma once

#include <functional>  // Required for: std::function
#include <memory>      // Required for: std::unique_ptr

namespace platform {

// The default output, open for the life of the object.
class AudioOutput {
public:
    // Null when no output device can be opened.
    static std::unique_ptr<AudioOutput> open();
    virtual ~AudioOutput() = default;

    // Test seam: open() returns what the hook makes; an empty hook restores the device.
    static void setOpenHook(std::function<std::unique_ptr<AudioOutput>()> hook);
};

}  // namespace platform

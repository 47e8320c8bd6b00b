// A machine without a sound card: the audio back end's complaints stay off
// stderr, and the runtime's log says once that sound is off.
#include <fcntl.h>

#include <fstream>
#include <iterator>

#include "runtime/files/error_log.h"
#include "tests/capped_child.h"
#include "tests/sound/slots_fixture.h"

namespace {

class AudioBackendMessages : public SoundSlots {};

TEST_F(AudioBackendMessages, WithoutADeviceStderrStaysCleanAndTheLogSaysSoundIsOff) {
    // An ALSA configuration without any device, "default" included.
    const std::string config = write("no_devices.conf", {});
    const std::string errors = (folder / "stderr.txt").string();
    ASSERT_TRUE(passesInCappedChild(0, 60, [&] {
        ::setenv("SDL_AUDIODRIVER", "alsa", 1);
        ::setenv("ALSA_CONFIG_PATH", config.c_str(), 1);
        const int fd = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0 || ::dup2(fd, 2) < 0) return false;
        platform::AudioOutput::setOpenHook({});
        SoundDevice device;
        return device.init(7) == 0;
    }));
    std::ifstream in(errors, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), "");

    std::ifstream log(errorLogPath(), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("Sound is off", 0), 0u) << lines[0];
}

}  // namespace

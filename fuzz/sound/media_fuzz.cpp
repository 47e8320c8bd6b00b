// Opening any bytes as a media file: its sound decoded (cut short) and its
// pictures read at a few times, then again from the start.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "runtime/sound/ffmpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/krv_media_fuzz_" + std::to_string(::getpid());
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    decodeAudioFile(path, 22050, 22050);
    VideoDecoder video;
    if (video.open(path)) {
        for (int32_t ms : {0, 100, 1000}) video.pictureAt(ms);
        video.rewind();
        video.pictureAt(0);
    }
    std::remove(path.c_str());
    return 0;
}

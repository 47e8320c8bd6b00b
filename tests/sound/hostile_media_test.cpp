// Sounds, music and movies made to cost memory or to block: files declaring
// more than a slot holds (sparse on disk), loads that do not fit in a capped
// address space, and playlists naming a FIFO or a file beside them. Each
// runs in a child with a time limit; the memory ones also with a cap.
#include <sys/stat.h>

#include <string>

#include "runtime/sound/ffmpeg_decoder.h"
#include "runtime/sound/media_backend.h"
#include "runtime/sound/sound_engines.h"
#include "tests/capped_child.h"
#include "tests/sound/slots_fixture.h"

namespace {

constexpr unsigned kTimeLimitSeconds = 60;
// A list is refused in a moment; one that is read again and again, or that
// waits on a FIFO, is not.
constexpr unsigned kListTimeLimitSeconds = 10;
constexpr size_t kHeadroom = 48u << 20;

class HostileMedia : public SoundSlots {
protected:
    // A file of `size` bytes that starts with `head` and holds nothing else:
    // sparse, so it costs no disk.
    std::string sparse(const std::string& name, const std::vector<uint8_t>& head, uint64_t size) {
        const std::string path = write(name, head);
        std::filesystem::resize_file(path, size);
        return path;
    }
    // A WAV file whose "data" chunk says `dataSize` bytes and whose file is
    // `fileSize` bytes long.
    std::string wave(const std::string& name, uint16_t channels, uint32_t rate, uint16_t bits, uint32_t dataSize,
                     uint64_t fileSize) {
        std::vector<uint8_t> head = wave_bytes::riff({wave_bytes::fmt(1, channels, rate, bits)});
        head.insert(head.end(), {'d', 'a', 't', 'a'});
        wave_bytes::put32(head, dataSize);
        return sparse(name, head, fileSize);
    }
};

TEST_F(HostileMedia, AWaveLargerThanASlotHoldsIsRefusedBeforeItsDataIsRead) {
#ifdef KRV_ADDRESS_SANITIZER
    GTEST_SKIP() << "the sanitizer's shadow memory does not fit an address-space cap";
#endif
    const uint32_t huge = 0x7FFFFF00;  // 2 GiB less a little: the file's size still fits the stream
    struct Case {
        const char* name;
        std::string path;
    } cases[] = {
        {"2 GiB of data on disk", wave("huge.wav", 1, 22050, 16, huge, uint64_t{huge} + 44)},
        {"2 GiB declared, 1 KiB there", wave("short.wav", 1, 22050, 16, huge, 1024)},
        {"2 MiB at 100 Hz, 460 MB at the device's rate", wave("slow.wav", 2, 100, 16, 2u << 20, (2u << 20) + 44)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RtString path(c.path.c_str());
        EXPECT_TRUE(passesInCappedChild(kHeadroom, kTimeLimitSeconds,
                                        [&] { return loadSound(path, 3, 2) == 0 && !slot(3).inUse(); }));
    }
}

// 100 MB of sound fits in a slot but not in what the child may map: the
// sound, the music and the movie loads fail like any other.
TEST_F(HostileMedia, StorageFailuresAreFailedLoadsOnEverySoundAndMediaPath) {
#ifdef KRV_ADDRESS_SANITIZER
    GTEST_SKIP() << "the sanitizer's shadow memory does not fit an address-space cap";
#endif
    const uint32_t size = 100u << 20;
    const std::string large = wave("large.wav", 1, 22050, 16, size, uint64_t{size} + 44);
    EXPECT_TRUE(passesInCappedChild(kHeadroom, kTimeLimitSeconds, [&] {
        return loadSound(RtString(large.c_str()), 3, 1) == 0 && !slot(3).inUse();
    }));
    EXPECT_TRUE(passesInCappedChild(kHeadroom, kTimeLimitSeconds, [&] {
        return mediaBackend().openMusic(large, soundDevice())->lengthMs() == 0;
    }));
    // One 4096 x 4096 picture: 24 MiB of YUV, 64 MiB once converted.
    const std::string header = "YUV4MPEG2 W4096 H4096 F10:1 Ip A1:1 C420jpeg\nFRAME\n";
    const std::string movie = sparse("large.y4m", std::vector<uint8_t>(header.begin(), header.end()),
                                     header.size() + 4096u * 4096u * 3u / 2u);
    EXPECT_TRUE(passesInCappedChild(kHeadroom, kTimeLimitSeconds, [&] {
        VideoDecoder video;
        return !video.open(movie) || video.pictureAt(0).empty();
    }));
}

// A playlist or a list of files beside a FIFO: nothing the list names is
// opened, so nothing blocks and nothing but the list itself is read.
TEST_F(HostileMedia, PlaylistsOpenNothingTheyName) {
    const std::string fifo = (folder / "segment.ts").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    write("tone.wav", wave_bytes::constantWave(1, 22050, 1000, 22050));
    const auto text = [](const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); };
    const std::string lists[] = {
        write("list.m3u8", text("#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:10,\nsegment.ts\n#EXT-X-ENDLIST\n")),
        write("fifo.ffconcat", text("ffconcat version 1.0\nfile segment.ts\n")),
        write("wave.ffconcat", text("ffconcat version 1.0\nfile tone.wav\n")),
        write("wave.m3u8", text("#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:10,\ntone.wav\n#EXT-X-ENDLIST\n")),
        // Live: without its end the list would be read again and again.
        write("live.m3u8", text("#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:10,\ntone.wav\n")),
        fifo,
        "/dev/zero",
        folder.string(),
    };
    for (const std::string& list : lists) {
        SCOPED_TRACE(list);
        EXPECT_TRUE(passesInCappedChild(0, kListTimeLimitSeconds, [&] {
            VideoDecoder video;
            return decodeAudioFile(list, 22050) == nullptr && !video.open(list) && mediaLengthMs(list) == 0;
        }));
    }
}

}  // namespace

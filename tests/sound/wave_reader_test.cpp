// The WAV reader: which files load, and what their data becomes.
#include <gtest/gtest.h>

#include "runtime/sound/wave_reader.h"
#include "tests/sound/wave_bytes.h"

namespace {

using namespace wave_bytes;

std::shared_ptr<PcmSound> decode(const std::vector<uint8_t>& file) {
    std::optional<WaveFile> wave = parseWave(file);
    return wave ? decodeWaveData(wave->format, wave->data) : nullptr;
}

struct FileCase {
    const char* name;
    std::vector<uint8_t> file;
    bool loads;
};

std::vector<uint8_t> withHeader(const char* header, std::vector<uint8_t> file) {
    std::copy(header, header + 4, file.begin());
    return file;
}

TEST(WaveReader, AcceptsPlayablePcmAndRefusesEverythingElse) {
    const Chunk pcm = fmt(1, 2, 22050, 16);
    const Chunk data = data16({1, 2, 3, 4});
    Chunk odd{"LIST", {'a', 'b', 'c'}};  // odd size: a pad byte follows
    Chunk unpadded = odd;
    unpadded.pad = false;
    Chunk shortFmt = pcm;
    shortFmt.body.resize(14);
    Chunk longFmt = pcm;
    longFmt.body.insert(longFmt.body.end(), {0, 0, 7});
    Chunk pastEnd = data;
    pastEnd.statedSize = 100;
    const FileCase cases[] = {
        {"plain", riff({pcm, data}), true},
        {"LIST before fmt", riff({Chunk{"LIST", {'I', 'N', 'F', 'O'}}, pcm, data}), true},
        {"odd chunk with its pad byte", riff({odd, pcm, data}), true},
        {"odd chunk without a pad byte", riff({unpadded, pcm, data}), false},
        {"fmt of 19 bytes", riff({longFmt, data}), true},
        {"extensible PCM", riff({extensibleFmt(1, 2, 22050, 16), data}), true},
        {"8-bit mono", riff({fmt(1, 1, 11025, 8), Chunk{"data", {0x80, 0xFF}}}), true},
        {"not RIFF", withHeader("RIFX", riff({pcm, data})), false},
        {"not WAVE", riff({pcm, data}, "AVI "), false},
        {"only a header", riff({}), false},
        {"data before fmt", riff({data, pcm}), false},
        {"fmt of 14 bytes", riff({shortFmt, data}), false},
        {"data past the end", riff({pcm, pastEnd}), false},
        {"no data chunk", riff({pcm}), false},
        {"extensible float", riff({extensibleFmt(3, 2, 22050, 16), data}), false},
        {"float tag", riff({fmt(3, 2, 22050, 32), data}), false},
        {"ADPCM tag", riff({fmt(2, 2, 22050, 16), data}), false},
        {"24 bits", riff({fmt(1, 2, 22050, 24), data}), false},
        {"three channels", riff({fmt(1, 3, 22050, 16), data16({1, 2, 3})}), false},
        {"no channels", riff({fmt(1, 0, 22050, 16), data}), false},
        {"block align of two frames", riff({fmt(1, 2, 22050, 16, 8), data}), false},
        {"rate 0", riff({fmt(1, 2, 0, 16), data}), false},
        {"rate above 200000", riff({fmt(1, 2, 200001, 16), data}), false},
        {"less than one frame", riff({pcm, Chunk{"data", {1, 2}}}), false},
        {"truncated header", std::vector<uint8_t>{'R', 'I', 'F', 'F', 0, 0}, false},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decode(c.file) != nullptr, c.loads);
    }
}

TEST(WaveReader, DataBecomesWholeFramesOf16BitSamples) {
    // 8-bit samples are unsigned around 128; a trailing half frame is dropped.
    auto eight = decode(riff({fmt(1, 2, 11025, 8), Chunk{"data", {0x00, 0x80, 0xFF, 0x81, 0x7F}}}));
    ASSERT_NE(eight, nullptr);
    EXPECT_EQ(eight->rate, 11025u);
    EXPECT_EQ(eight->channels, 2u);
    EXPECT_EQ(eight->samples, (std::vector<int16_t>{-32768, 0, 127 * 256, 256}));

    auto sixteen = decode(riff({fmt(1, 1, 44100, 16), data16({-32768, 32767, -1})}));
    ASSERT_NE(sixteen, nullptr);
    EXPECT_EQ(sixteen->frames(), 3u);
    EXPECT_EQ(sixteen->samples, (std::vector<int16_t>{-32768, 32767, -1}));
}

}  // namespace

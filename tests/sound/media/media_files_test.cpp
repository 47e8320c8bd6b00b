// The FFmpeg media layer over tiny files the tests write: a WAV file as
// music and a YUV4MPEG2 clip as a movie.
#include <algorithm>
#include <cstdio>

#include "runtime/core/runtime_state.h"
#include "runtime/files/resource_archive.h"
#include "runtime/files/runtime_archives.h"
#include "runtime/sound/ffmpeg_decoder.h"
#include "runtime/sound/sound_engines.h"
#include "tests/files/archive_writer.h"
#include "tests/sound/media/media_fixture.h"
#include "tests/sound/wave_bytes.h"

namespace {

struct Yuv {
    uint8_t y, u, v;
};
constexpr Yuv kRed{76, 85, 255};
constexpr Yuv kBlue{29, 255, 107};

// A 32 x 16 clip at 10 pictures per second, one colour per picture.
std::string clip(const std::vector<Yuv>& pictures) {
    std::string out = "YUV4MPEG2 W32 H16 F10:1 Ip A1:1 C420jpeg\n";
    for (const Yuv& p : pictures) {
        out += "FRAME\n";
        out += std::string(32 * 16, static_cast<char>(p.y));
        out += std::string(16 * 8, static_cast<char>(p.u));
        out += std::string(16 * 8, static_cast<char>(p.v));
    }
    return out;
}

class MediaFiles : public MediaProgram {
protected:
    void SetUp() override {
        MediaProgram::SetUp();
        setMediaBackend(nullptr);
    }
};

TEST_F(MediaFiles, AudioIsDecodedAtTheMixersRateMonoStayingMono) {
    std::vector<uint8_t> wave = wave_bytes::constantWave(1, 11025, 8000, 1103);  // 0.1 s
    RtString path = file("tone.wav", std::string(wave.begin(), wave.end()));
    std::shared_ptr<PcmSound> sound = decodeAudioFile(path.data, 22050);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->channels, 1u);
    EXPECT_EQ(sound->rate, 22050u);
    EXPECT_NEAR(sound->frames(), 2206, 4);
    EXPECT_NEAR(sound->samples[1100], 8000, 8);
    std::vector<uint8_t> stereo = wave_bytes::riff(
        {wave_bytes::fmt(1, 2, 44100, 16), wave_bytes::data16(std::vector<int16_t>(2 * 4410, -3000))});
    sound = decodeAudioFile(file("stereo.wav", std::string(stereo.begin(), stereo.end())).data, 22050);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->channels, 2u);
    EXPECT_NEAR(sound->frames(), 2205, 4);
    EXPECT_NEAR(sound->samples[2 * 1000 + 1], -3000, 8);
    EXPECT_EQ(decodeAudioFile(file("text.wav", "not a media file").data, 22050), nullptr);
    EXPECT_EQ(decodeAudioFile(path.data, 22050, 100)->frames(), 100u);  // cut at the limit
}

TEST_F(MediaFiles, MusicFromAFilePlaysThroughTheMixer) {
    std::vector<uint8_t> wave = wave_bytes::constantWave(2, 22050, 1000, 22050 * 3 / 4);
    playMusic(file("song.wav", std::string(wave.begin(), wave.end())), 1);
    MusicPlayer* music = musicWindow();
    ASSERT_NE(music, nullptr);
    EXPECT_NEAR(music->lengthMs(), 750, 2);
    // A file the media layer cannot read gives music that plays nothing.
    playMusic(file("text.ogg", "not a media file"), 1);
    ASSERT_NE(musicWindow(), nullptr);
    EXPECT_EQ(musicWindow()->lengthMs(), 0);
    EXPECT_EQ(runtimeState().musicLoopEnd > 0.0, true);
}

TEST_F(MediaFiles, AClipGivesItsSizeLengthAndThePictureDueAtEachTime) {
    RtString path = file("clip.y4m", clip({kRed, kRed, kBlue, kBlue, kBlue}));
    VideoDecoder video;
    ASSERT_TRUE(video.open(path.data));
    EXPECT_EQ(video.width(), 32);
    EXPECT_EQ(video.height(), 16);
    EXPECT_NEAR(video.lengthMs(), 500, 1);
    auto pixel = [&](int32_t ms) {
        const std::vector<uint8_t>& p = video.pictureAt(ms);
        return p.size() == 32u * 16u * 4u ? std::vector<int>{p[0], p[1], p[2]} : std::vector<int>{};
    };
    auto near = [](std::vector<int> got, std::vector<int> want) {
        if (got.size() != want.size()) return false;
        for (size_t i = 0; i < got.size(); ++i) {
            if (std::abs(got[i] - want[i]) > 12) return false;
        }
        return true;
    };
    EXPECT_TRUE(near(pixel(0), {255, 0, 0}));
    EXPECT_TRUE(near(pixel(150), {255, 0, 0}));
    EXPECT_TRUE(near(pixel(250), {0, 0, 255}));
    EXPECT_TRUE(near(pixel(5000), {0, 0, 255}));  // the last picture stays
    video.rewind();
    EXPECT_TRUE(near(pixel(0), {255, 0, 0}));

    VideoDecoder none;
    std::vector<uint8_t> wave = wave_bytes::constantWave(1, 22050, 1, 100);
    EXPECT_FALSE(none.open(file("sound.wav", std::string(wave.begin(), wave.end())).data));
    EXPECT_TRUE(none.pictureAt(0).empty());
}

// A raw H.264 stream made by ffmpeg says neither its length nor the times of
// its pictures: they follow at its frame rate and the movie plays to the end
// of the stream.
TEST_F(MediaFiles, ARawStreamWithoutALengthPlaysToItsEnd) {
    const std::string clip = std::string(KRV_SOUND_TEST_DATA) + "/clip_10fps.h264";
    VideoDecoder decoder;
    ASSERT_TRUE(decoder.open(clip));
    EXPECT_EQ(decoder.lengthMs(), 0);
    const std::vector<uint8_t> first = decoder.pictureAt(0);
    EXPECT_EQ(first.size(), 64u * 48u * 4u);
    EXPECT_NE(decoder.pictureAt(700), first);
    EXPECT_FALSE(decoder.finished());
    decoder.pictureAt(60000);
    EXPECT_TRUE(decoder.finished());
    decoder.rewind();  // as a looping movie does
    EXPECT_FALSE(decoder.finished());
    EXPECT_EQ(decoder.pictureAt(0), first);

    const int swaps = video.swaps;
    EXPECT_EQ(playMovieOnce(RtString(clip.c_str())), 0);
    // 15 pictures at 10 a second, presented at 60 frames a second.
    EXPECT_GE(video.swaps - swaps, 80);
    EXPECT_LE(video.swaps - swaps, 110);
}

TEST_F(MediaFiles, AMovieWithoutAPictureOrAMissingFileGives3) {
    std::vector<uint8_t> wave = wave_bytes::constantWave(1, 22050, 1, 100);
    EXPECT_EQ(playMovieOnce(file("sound.wav", std::string(wave.begin(), wave.end()))), 3);
    EXPECT_EQ(playMovieOnce(file("text.avi", "not a media file")), 3);
    EXPECT_EQ(playMovieOnce(missing()), 3);
}

// Music and movies packed into the program's archive play from memory: no
// temporary file is made, so none can be swapped or lead elsewhere.
TEST_F(MediaFiles, ArchiveEntriesPlayFromMemory) {
    const std::vector<uint8_t> wave = wave_bytes::constantWave(2, 22050, 1000, 22050 * 3 / 4);
    const std::string movie = clip({kRed, kRed, kBlue});
    ArchiveEntry song;
    song.name = "archived_song.wav";
    song.contents = wave;
    ArchiveEntry film;
    film.name = "archived_clip.y4m";
    film.contents.assign(movie.begin(), movie.end());
    const std::vector<uint8_t> archive = buildArchive({song, film}, ArchiveOffsets::FromEnd, 0);
    const std::string archivePath = file("game.pak", std::string(archive.begin(), archive.end())).data;
    resetArchives(archivePath.c_str(), archivePath.c_str());

    playMusic(RtString("archived_song.wav"), 1);
    ASSERT_NE(musicWindow(), nullptr);
    EXPECT_NEAR(musicWindow()->lengthMs(), 750, 2);
    EXPECT_EQ(playMovieOnce(RtString("archived_clip.y4m")), 0);
    // A movie keeps its block while it plays, also when the next fetch lets
    // the archive's own reference go, and can go back to its start.
    std::string resolved;
    ASSERT_EQ(archiveFetch(mediaArchive(), "archived_clip.y4m", resolved, 1), 1);
    VideoDecoder video;
    ASSERT_TRUE(video.open(resolved));
    const std::vector<uint8_t> first = video.pictureAt(0);
    ASSERT_FALSE(first.empty());
    ASSERT_EQ(archiveFetch(mediaArchive(), "archived_song.wav", resolved, 1), 1);
    video.pictureAt(250);
    video.rewind();
    EXPECT_EQ(video.pictureAt(0), first);
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        EXPECT_NE(entry.path().filename().string().rfind("sbx", 0), 0u) << entry.path();
    }
}

// "Creative Voice File" with 8-bit samples: a container music is not meant to
// come in, whatever the file's name says.
std::string vocFile() {
    std::string out = "Creative Voice File\x1A";
    out += std::string("\x1A\x00\x0A\x01\x29\x11", 6);  // header size, version 1.10, its check
    const size_t samples = 2000;
    const size_t size = samples + 2;
    out += '\x01';  // sound data
    out += static_cast<char>(size & 0xFF);
    out += static_cast<char>((size >> 8) & 0xFF);
    out += static_cast<char>(size >> 16);
    out += static_cast<char>(256 - 1000000 / 22050);  // the rate's code
    out += '\0';                                       // unsigned 8-bit
    out += std::string(samples, '\xC0');
    out += '\0';
    return out;
}

TEST_F(MediaFiles, ContainersAndCodecsMusicAndMoviesDoNotUseAreRefusedWithALogLine) {
    // Yamaha ADPCM in a WAV file: a container that plays, a codec that does not.
    std::vector<uint8_t> adpcm = wave_bytes::riff({wave_bytes::fmt(0x20, 1, 22050, 4, 1024),
                                                   {"data", std::vector<uint8_t>(4096, 0x17)}});
    struct Case {
        const char* name;
        std::string contents;
        const char* logged;
    };
    const Case cases[] = {
        {"theme.ogg", vocFile(), "Media file refused: the container voc is not one that music and movies play"},
        {"adpcm.wav", std::string(adpcm.begin(), adpcm.end()),
         "Media file refused: the codec adpcm_yamaha is not one that music and movies play"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RtString path = file(c.name, c.contents);
        EXPECT_EQ(decodeAudioFile(path.data, 22050), nullptr);
        playMusic(path, 0);
        ASSERT_NE(musicWindow(), nullptr);
        EXPECT_EQ(musicWindow()->lengthMs(), 0);
        const std::vector<std::string> lines = logLines();
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.logged), lines.end());
    }
}

}  // namespace

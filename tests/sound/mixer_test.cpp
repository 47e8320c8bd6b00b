// The mixer as a pure function: gains of volume and pan, mixing, ends.
#include <gtest/gtest.h>

#include <cmath>

#include "runtime/sound/mixer.h"

namespace {

std::shared_ptr<PcmSound> sound(uint32_t channels, uint32_t rate, std::vector<int16_t> samples) {
    auto s = std::make_shared<PcmSound>();
    s->channels = channels;
    s->rate = rate;
    s->samples = std::move(samples);
    return s;
}

std::vector<int16_t> render(Mixer& m, int frames) {
    std::vector<int16_t> out(2 * static_cast<size_t>(frames), 12345);
    m.render(out.data(), frames);
    return out;
}

TEST(MixerGains, VolumeAndPanMapToChannelGains) {
    const float minus25dB = std::pow(10.0f, -2.5f) * 1.0f;
    struct Case {
        int32_t volume, pan;
        float left, right;
    } cases[] = {
        {0, 0, 1.0f, 1.0f},
        {-10000, 0, 0.0f, 0.0f},          // 0 %
        {-20000, 0, 0.0f, 0.0f},          // below the range
        {500, 0, 1.0f, 1.0f},             // above it
        {-2000, 0, 0.1f, 0.1f},           // -20 dB
        {-5000, 0, minus25dB, minus25dB}, // 50 %
        {0, -10000, 1.0f, 0.0f},          // fully left
        {0, -50000, 1.0f, 0.0f},          // clamped
        {0, 10000, 0.0f, 1.0f},
        {0, 2000, 0.1f, 1.0f},            // right by 20 dB: left attenuated
        {-2000, -2000, 0.1f, 0.01f},      // both add up
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "volume " << c.volume << " pan " << c.pan);
        StereoGain g = voiceGains(c.volume, c.pan);
        EXPECT_NEAR(g.left, c.left, 1e-5);
        EXPECT_NEAR(g.right, c.right, 1e-5);
    }
    EXPECT_EQ(volumeFromPercent(100), 0);
    EXPECT_EQ(volumeFromPercent(0), -10000);
}

TEST(Mixer, SumsVoicesWithTheirGainsAndClips) {
    Mixer m(22050, 8);
    int32_t mono = m.createVoice(sound(1, 22050, std::vector<int16_t>(64, 1000)));
    int32_t stereo = m.createVoice(sound(2, 22050, {-300, 200, -300, 200, -300, 200, -300, 200}));
    m.setGain(mono, {1.0f, 0.5f});
    m.play(mono, false);
    m.play(stereo, false);
    std::vector<int16_t> out = render(m, 4);
    EXPECT_EQ(out, (std::vector<int16_t>{700, 700, 700, 700, 700, 700, 700, 700}));

    int32_t loud = m.createVoice(sound(1, 22050, std::vector<int16_t>(64, 32000)));
    m.setGain(loud, {1.0f, 1.0f});
    m.stop(stereo);
    m.play(loud, false);
    out = render(m, 1);
    EXPECT_EQ(out[0], 32767);  // 33000 clipped
    m.setGain(mono, {-1.0f, -1.0f});
    m.setGain(loud, {-1.1f, -1.1f});
    EXPECT_EQ(render(m, 1)[0], -32768);
}

TEST(Mixer, AVoiceStopsAtItsEndAndRewindsUnlessItLoops) {
    Mixer m(22050, 4);
    int32_t once = m.createVoice(sound(1, 22050, {10, 20, 30}));
    int32_t loop = m.createVoice(sound(1, 22050, {1, 2}));
    m.play(once, false);
    m.play(loop, true);
    std::vector<int16_t> out = render(m, 5);
    EXPECT_EQ(out, (std::vector<int16_t>{11, 11, 22, 22, 31, 31, 2, 2, 1, 1}));
    EXPECT_FALSE(m.isPlaying(once));
    EXPECT_EQ(m.positionFrames(once), 0u);
    EXPECT_TRUE(m.isPlaying(loop));
    EXPECT_EQ(m.playingVoices(), 1u);
    m.stop(loop);
    EXPECT_EQ(render(m, 2), (std::vector<int16_t>{0, 0, 0, 0}));  // silence when nothing plays
}

TEST(Mixer, PlaysOnlySoundsAtItsOwnRate) {
    Mixer m(22050, 4);
    EXPECT_EQ(m.createVoice(sound(1, 11025, {0, 1000, 2000})), -1);
    EXPECT_EQ(m.createVoice(sound(2, 44100, {1, -1, 2, -2})), -1);
    EXPECT_GE(m.createVoice(sound(1, 22050, {0, 1000, 2000})), 0);
}

TEST(Mixer, VoicesComeFromAFixedPoolAndShareTheirData) {
    Mixer m(22050, 2);
    auto data = sound(1, 22050, {5, 5});
    EXPECT_EQ(m.createVoice(sound(1, 22050, {})), -1);  // nothing to play
    int32_t a = m.createVoice(data);
    int32_t b = m.duplicateVoice(a);
    EXPECT_GE(b, 0);
    EXPECT_EQ(m.duplicateVoice(a), -1);  // pool full
    EXPECT_EQ(data.use_count(), 3);
    m.releaseVoice(b);
    EXPECT_EQ(data.use_count(), 2);
    EXPECT_EQ(m.duplicateVoice(b), -1);  // released
    EXPECT_GE(m.duplicateVoice(a), 0);
    // Operations on voices that do not exist do nothing.
    for (int32_t bad : {-1, 2, 1000}) {
        m.play(bad, false);
        m.stop(bad);
        m.setPosition(bad, 1);
        EXPECT_FALSE(m.isPlaying(bad));
    }
}

TEST(Mixer, ReleasingAPlayingVoiceKeepsTheOthersPlaying) {
    Mixer m(22050, 4);
    int32_t v[3];
    for (int i = 0; i < 3; ++i) {
        v[i] = m.createVoice(sound(1, 22050, std::vector<int16_t>(16, static_cast<int16_t>(1 << (2 * i)))));
        m.play(v[i], true);
    }
    m.releaseVoice(v[0]);
    EXPECT_EQ(render(m, 1)[0], 4 + 16);
    m.stop(v[2]);
    EXPECT_EQ(render(m, 1)[0], 4);
    EXPECT_TRUE(m.isPlaying(v[1]));
}

}  // namespace

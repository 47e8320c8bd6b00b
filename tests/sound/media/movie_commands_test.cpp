// playMovie over the fake media layer, window, input and clock.
#include <GL/gl.h>

#include <array>
#include <cstdlib>

#include "runtime/core/runtime_state.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/render2d.h"
#include "runtime/render2d/render_object.h"
#include "tests/sound/media/media_fixture.h"

namespace {

using Log = std::vector<std::string>;

class MovieCommands : public MediaProgram {};

TEST(MovieFit, TheMovieFillsTheClientAreaKeepingItsShapeAndCentred) {
    struct Case {
        int32_t sw, sh, cw, ch;
        MovieRect expected;
    } cases[] = {
        {320, 240, 640, 480, {0, 0, 640, 480}},  {320, 240, 800, 480, {80, 0, 640, 480}},
        {320, 120, 640, 480, {0, 120, 640, 240}}, {3, 3, 640, 480, {80, 0, 480, 480}},
        {1000, 333, 640, 480, {0, 133, 640, 213}},  // sizes cut toward zero
        {0, 240, 640, 480, {}},                   {320, 0, 640, 480, {}},
        {320, 240, 0, 480, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " in " << c.cw << "x" << c.ch);
        EXPECT_EQ(fitMovie(c.sw, c.sh, c.cw, c.ch), c.expected);
    }
}

TEST_F(MovieCommands, AMovieIsFittedPlayedToItsEndAndClosed) {
    media.movieWidth = 320;
    media.movieHeight = 120;
    int swaps = video.swaps;
    EXPECT_EQ(playMovieOnce(file("clip.avi")), 0);
    EXPECT_EQ(media.log, (Log{"open movie clip.avi", "dest 0 120 640 240", "play", "stop", "close"}));
    // Positions 30, 60, 90, 100+: four passes, each drawn and presented.
    EXPECT_EQ(media.framesDrawn, 4);
    EXPECT_EQ(video.swaps, swaps + 4);
}

TEST_F(MovieCommands, WhatCannotBeShownGives3) {
    EXPECT_EQ(playMovieOnce(missing()), 3);
    EXPECT_TRUE(media.log.empty());

    media.movieOpens = false;
    EXPECT_EQ(playMovieOnce(file("clip.avi")), 3);
    media.movieOpens = true;
    media.movieHeight = 0;  // a file without a picture
    EXPECT_EQ(playMovieOnce(file("clip.avi")), 3);
    EXPECT_EQ(media.log, (Log{"open movie clip.avi", "open movie clip.avi", "close"}));
    EXPECT_EQ(media.framesDrawn, 0);
}

TEST_F(MovieCommands, AKeyHeldAtTheStartIsWaitedForAndAKeyDuringPlaybackEndsIt) {
    input.press(30);
    int pumpsWhileHeld = 0;
    video.onPump = [&](int) {
        if (input.keys[30] != 0 && ++pumpsWhileHeld == 5) input.release(30);
    };
    media.onPosition = [&](int read) {
        EXPECT_EQ(input.keys[30], 0) << "played while the key was held";
        if (read == 2) input.press(57);
    };
    media.movieLength = 1000;
    EXPECT_EQ(playMovieOnce(file("clip.avi")), 0);
    EXPECT_EQ(pumpsWhileHeld, 5);
    EXPECT_EQ(media.framesDrawn, 1);  // the second pass saw the key
    EXPECT_EQ(media.log.back(), "close");
    EXPECT_EQ(media.count("stop"), 1u);
}

TEST_F(MovieCommands, ALoopingMovieRestartsAtItsEndUntilAButtonIsPressed) {
    media.onPosition = [&](int read) {
        if (read == 12) input.mouse.left = true;
    };
    EXPECT_EQ(playMovieLoop(file("clip.avi")), 0);
    // 30, 60, 90, 120 (end: restart) -> three rounds within eleven reads.
    EXPECT_EQ(media.count("seek"), 2u);
    EXPECT_EQ(media.count("play"), 3u);
    EXPECT_EQ(media.framesDrawn, 11);
}

// What a draw leaves set that a program relies on, read back from GL.
struct GlState {
    std::array<GLint, 4> viewport{};
    std::array<GLfloat, 16> projection{};
    std::array<GLfloat, 4> colour{};
    GLint blendDestination = 0;
    GLboolean blend = 0, alphaTest = 0, texture = 0;
    bool operator==(const GlState&) const = default;

    static GlState read() {
        GlState s;
        glGetIntegerv(GL_VIEWPORT, s.viewport.data());
        glGetFloatv(GL_PROJECTION_MATRIX, s.projection.data());
        glGetFloatv(GL_CURRENT_COLOR, s.colour.data());
        glGetIntegerv(GL_BLEND_DST, &s.blendDestination);
        s.blend = glIsEnabled(GL_BLEND);
        s.alphaTest = glIsEnabled(GL_ALPHA_TEST);
        s.texture = glIsEnabled(GL_TEXTURE_2D);
        return s;
    }
};

TEST_F(MovieCommands, AMovieLeavesTheProgramsViewAndDrawingStateAsItWas) {
    // With a display the window is real and GL's own state is read back too.
    const bool realWindow = std::getenv("DISPLAY") != nullptr;
    if (realWindow) {
        shutDownRuntime();
        platform::setVideoBackend(nullptr);
        ASSERT_EQ(restart(), 0);
    }
    setViewport(40, 30, 320, 200);
    setAlphaMode(0.5);
    setSmoothing(0.0);
    const GlState before = GlState::read();
    EXPECT_EQ(playMovieOnce(file("clip.avi")), 0);
    EXPECT_EQ(media.framesDrawn, 4);
    int32_t x = 0, y = 0, w = 0, h = 0;
    getViewport(x, y, w, h);
    EXPECT_EQ((std::array{x, y, w, h}), (std::array{40, 30, 320, 200}));
    const OpenGLRainbows& renderer = *renderObject();
    EXPECT_EQ(renderer.smoothing, 0);
    EXPECT_EQ(renderer.globalAlpha, 0.5f);
    if (realWindow) {
        EXPECT_EQ(before.viewport, (std::array<GLint, 4>{40, 480 - 30 - 200, 320, 200}));
        EXPECT_TRUE(GlState::read() == before);
    }
}

TEST_F(MovieCommands, AMovieOfUnknownLengthPlaysUntilItsStreamEnds) {
    media.movieLength = 0;
    media.streamEnd = 150;
    EXPECT_EQ(playMovieOnce(file("clip.avi")), 0);
    // Positions 30 .. 150: five passes, the last one at the stream's end.
    EXPECT_EQ(media.framesDrawn, 5);
}

TEST_F(MovieCommands, ClosingTheWindowDuringAMovieEndsTheProgramAfterClosingTheMovie) {
    media.movieLength = 1000;
    media.onPosition = [&](int read) {
        if (read == 3) video.queue(runtimeState().window, platform::WindowEventType::Close);
    };
    EXPECT_EQ(exitStatusOf([&] { playMovieOnce(file("clip.avi")); }), 0);
    EXPECT_EQ(media.log.back(), "close");
    EXPECT_EQ(media.count("stop"), 0u);
    EXPECT_EQ(logLines().back(), "Shut down KRV");
}

}  // namespace

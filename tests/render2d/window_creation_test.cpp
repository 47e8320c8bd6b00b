// Window and context creation over the scripted window backend.
#include <gtest/gtest.h>

#include "runtime/platform/fake/fake_video.h"
#include "runtime/render2d/gl_extensions.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/software_renderer.h"

namespace {

class WindowCreation : public ::testing::Test {
protected:
    void SetUp() override { platform::setVideoBackend(&video); }
    void TearDown() override { platform::setVideoBackend(nullptr); }
    platform::fake::FakeVideo video;
};

TEST_F(WindowCreation, FreshObjectHasTheDefaults) {
    OpenGLRainbows r;
    EXPECT_EQ(r.currentTarget, -1);
    EXPECT_EQ(r.globalAlpha, 0.0f);
    EXPECT_EQ(r.spriteColourKey, 0x8000FFu);
    EXPECT_EQ(r.fontColourKey, 0u);
    EXPECT_EQ(r.smoothing, 1);
    EXPECT_EQ(r.windowHandle, 0u);
    EXPECT_EQ(r.contextAlive, 0);
}

TEST_F(WindowCreation, DestroyingWithoutWindowTouchesNothing) {
    { OpenGLRainbows r; }
    EXPECT_TRUE(video.calls.empty());
}

TEST_F(WindowCreation, MakesAShownWindowWithContextAndWholeViewport) {
    OpenGLRainbows r;
    ASSERT_TRUE(r.createWindow(nullptr, 640, 480, 0, 60, 0, 0));
    const auto* w = video.find(r.windowHandle);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->width, 640);
    EXPECT_EQ(w->height, 480);
    EXPECT_EQ(w->title, "Korvane");
    EXPECT_TRUE(w->shown);
    EXPECT_TRUE(video.contextCurrent());
    EXPECT_EQ(r.contextAlive, 1);
    EXPECT_NEAR(r.framePeriod, 1000.0 / 60, 1e-12);
    EXPECT_EQ(r.viewportWidth, 640);
    EXPECT_EQ(r.viewportHeight, 480);
    EXPECT_EQ(r.globalAlpha, 1.0f);
}

TEST_F(WindowCreation, ZeroSizesAndDepthComeFromTheDesktop) {
    OpenGLRainbows r;
    ASSERT_TRUE(r.createWindow(nullptr, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(r.width, 1920);
    EXPECT_EQ(r.height, 1080);
    EXPECT_EQ(r.colourDepth, 24);
    EXPECT_DOUBLE_EQ(r.framePeriod, 2.0);
}

TEST_F(WindowCreation, MultisampleSearchHalvesUntilAContextWorks) {
    struct Case {
        int requested, supported, expected;
    };
    for (Case c : {Case{8, 2, 2}, Case{8, 16, 8}, Case{4, 0, 0}, Case{3, 1, 1}}) {
        SCOPED_TRACE(c.requested * 100 + c.supported);
        platform::fake::FakeVideo v;
        v.maxSamples = c.supported;
        platform::setVideoBackend(&v);
        {
            OpenGLRainbows r;
            ASSERT_TRUE(r.createWindow(nullptr, 320, 200, 0, 60, c.requested, 0));
            EXPECT_EQ(v.find(r.windowHandle)->samples, c.expected);
            EXPECT_EQ(v.windows.size() - 1, static_cast<size_t>(std::count_if(
                                                 v.windows.begin(), v.windows.end(),
                                                 [](const auto& w) { return w.destroyed; })));
        }
        platform::setVideoBackend(&video);
    }
}

TEST_F(WindowCreation, FailedWindowReportsFailure) {
    video.failWindowCreation = true;
    OpenGLRainbows r;
    EXPECT_FALSE(r.createWindow(nullptr, 640, 480, 0, 60, 0, 0));
    EXPECT_EQ(r.contextAlive, 0);
    EXPECT_EQ(r.windowHandle, 0u);
}

TEST_F(WindowCreation, FullscreenKeepsWindowAndContextAndFallsBackWhenRefused) {
    OpenGLRainbows r;
    ASSERT_TRUE(r.createWindow(nullptr, 640, 480, 0, 60, 0, 0));
    uint32_t window = r.windowHandle;
    EXPECT_TRUE(r.setScreen(800, 600, 0, 1));
    EXPECT_EQ(r.windowHandle, window);
    EXPECT_TRUE(video.find(window)->fullscreen);
    EXPECT_EQ(r.fullscreen, 1);
    EXPECT_EQ(r.viewportWidth, 800);
    EXPECT_TRUE(r.setScreen(0, 0, 0, 0));
    EXPECT_FALSE(video.find(window)->fullscreen);
    EXPECT_EQ(r.fullscreen, 0);
    EXPECT_EQ(r.width, 800);

    video.fullscreenWorks = false;
    EXPECT_FALSE(r.setFullscreen());
    EXPECT_EQ(r.fullscreen, 0);
    EXPECT_TRUE(video.contextCurrent());
}

TEST_F(WindowCreation, LeaveFullscreenHidesTheWindowAndItStaysHiddenToTheEnd) {
    {
        OpenGLRainbows r;
        ASSERT_TRUE(r.createWindow(nullptr, 640, 480, 0, 60, 0, 0));
        EXPECT_TRUE(r.leaveFullscreen());
        EXPECT_FALSE(video.find(r.windowHandle)->shown);
        video.calls.clear();
    }
    EXPECT_EQ(std::count(video.calls.begin(), video.calls.end(), "showWindow"), 0);
}

TEST_F(WindowCreation, DestroyingAFullscreenWindowRestoresTheDisplayFirst) {
    {
        OpenGLRainbows r;
        ASSERT_TRUE(r.createWindow(nullptr, 640, 480, 0, 60, 0, 0));
        ASSERT_TRUE(r.setFullscreen());
        video.calls.clear();
    }
    ASSERT_GE(video.calls.size(), 2u);
    EXPECT_EQ(video.calls[0], "windowed");
    EXPECT_EQ(video.calls[1], "destroyWindow");
}

TEST_F(WindowCreation, DestructionDestroysWindowThenContext) {
    {
        OpenGLRainbows r;
        ASSERT_TRUE(r.createWindow(nullptr, 640, 480, 0, 60, 0, 0));
    }
    auto destroyed = std::find(video.calls.begin(), video.calls.end(), "destroyWindow");
    auto deleted = std::find(video.calls.begin(), video.calls.end(), "deleteContext");
    ASSERT_NE(destroyed, video.calls.end());
    ASSERT_NE(deleted, video.calls.end());
    EXPECT_LT(destroyed, deleted);
}

TEST(SoftwareRenderer, RecognisesTheSoftwareRasterisers) {
    struct Case {
        const char* renderer;
        bool software;
    };
    for (Case c : {Case{"llvmpipe (LLVM 15.0.6, 256 bits)", true}, Case{"softpipe", true},
                   Case{"Software Rasterizer", true}, Case{"Mesa Intel(R) UHD Graphics", false},
                   Case{"AMD Radeon llvmpipe", false}, Case{nullptr, false}}) {
        SCOPED_TRACE(c.renderer != nullptr ? c.renderer : "null");
        EXPECT_EQ(isSoftwareRenderer(c.renderer), c.software);
    }
}

TEST(ExtensionString, FindsWholeWordsOnly) {
    const char* list = "GL_ARB_multitexture_extra GL_EXT_framebuffer_object GL_ARB_vertex_shader";
    struct Case {
        const char* name;
        bool found;
    };
    for (Case c : {Case{"GL_ARB_multitexture", false}, Case{"GL_EXT_framebuffer_object", true},
                   Case{"GL_ARB_vertex_shader", true}, Case{"ARB_vertex_shader", false},
                   Case{"GL_ARB_vertex", false}, Case{"", false}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(containsWord(list, c.name), c.found);
    }
    EXPECT_FALSE(containsWord(nullptr, "GL_ARB_multitexture"));
}

TEST_F(WindowCreation, WithoutContextNoEntryPointIsAvailable) {
    EXPECT_FALSE(glEntryPointAvailable("glGenFramebuffersEXT"));
    EXPECT_FALSE(glEntryPointAvailable(nullptr));
}

}  // namespace

// Render targets through framebuffer objects and through the emulated path,
// and shaders, checked by reading pixels back.
#include "gl_fixture.h"

#include <fstream>

#include "runtime/render2d/gl_extensions.h"
#include "runtime/render3d/rainbows_3d.h"
#include "tests/own_temp_path.h"

namespace {

enum class TargetPath { Framebuffer, Emulated };

class RenderTargets : public GlDrawing, public ::testing::WithParamInterface<TargetPath> {
protected:
    void SetUp() override {
        GlDrawing::SetUp();
        if (IsSkipped()) return;
        setGlFeatureEnabled(GlFeature::Framebuffers, GetParam() == TargetPath::Framebuffer);
        loadGlExtensions();
    }
    void TearDown() override {
        if (renderer == nullptr) return;
        r().useScreen();
        setGlFeatureEnabled(GlFeature::Framebuffers, true);
        loadGlExtensions();
    }
};

TEST_P(RenderTargets, DrawingLandsInTheSpriteAndTheScreenIsKept) {
    r().fillRect(0, 0, 60, 60, kBlue);  // what the emulated path must give back
    r().createRenderTarget(1, 100, 40, 30);
    EXPECT_EQ(r().renderTargets[1].width != 0, GetParam() == TargetPath::Framebuffer);
    int w = 0, h = 0;
    r().getSpriteSize(100, w, h);
    EXPECT_EQ(w, 40);
    EXPECT_EQ(h, 30);
    EXPECT_EQ(r().sprites[100].textureWidth, 64);
    EXPECT_EQ(r().sprites[100].textureHeight, 32);

    r().useRenderTarget(1);
    EXPECT_EQ(r().currentTarget, 1);
    r().fillRect(0, 0, 40, 30, kRed);
    r().fillRect(5, 5, 10, 10, kGreen);
    EXPECT_EQ(px(6, 6), kGreen);  // read back from the target
    EXPECT_EQ(px(0, 29), kRed);
    r().useScreen();
    EXPECT_EQ(r().currentTarget, -1);
    EXPECT_EQ(px(2, 2), kBlue);  // the window's pixels are untouched or restored

    glClear(GL_COLOR_BUFFER_BIT);
    r().setSmoothing(0);
    r().drawSprite(100, 200, 100);
    EXPECT_EQ(px(200, 100), kRed);
    EXPECT_EQ(px(206, 106), kGreen);
    EXPECT_EQ(px(214, 114), kGreen);
    EXPECT_EQ(px(215, 115), kRed);
    EXPECT_EQ(px(239, 129), kRed);
    EXPECT_EQ(px(240, 129), 0u);
    EXPECT_EQ(px(239, 130), 0u);
}

TEST_P(RenderTargets, ViewportsInsideATargetUseItsHeight) {
    r().createRenderTarget(2, 101, 20, 10);
    r().useRenderTarget(2);
    r().fillRect(0, 0, 20, 10, kRed);
    r().setViewport(10, 5, 10, 5);
    r().fillRect(0, 0, 10, 5, kGreen);
    r().setViewport(0, 0, 20, 10);
    r().useScreen();
    glClear(GL_COLOR_BUFFER_BIT);
    r().setSmoothing(0);
    r().drawSprite(101, 300, 300);
    EXPECT_EQ(px(300, 300), kRed);
    EXPECT_EQ(px(310, 305), kGreen);
    EXPECT_EQ(px(319, 309), kGreen);
    EXPECT_EQ(px(309, 309), kRed);
}

TEST_P(RenderTargets, TexturesFollowThePowerOfTwoRuleOfEveryTexture) {
    struct Case {
        int w, h, tw, th;
    };
    for (const Case& c : {Case{1, 1, 16, 16}, Case{640, 480, 1024, 512}, Case{17, 16, 32, 16}}) {
        r().createRenderTarget(4, 104, c.w, c.h);
        EXPECT_EQ(r().sprites[104].textureWidth, c.tw) << c.w;
        EXPECT_EQ(r().sprites[104].textureHeight, c.th) << c.h;
        EXPECT_FLOAT_EQ(r().sprites[104].uMax, static_cast<float>(c.w) / static_cast<float>(c.tw));
    }
}

TEST_P(RenderTargets, TargetsNeverCreatedOrOutOfRangeAreIgnored) {
    for (int n : {9, 32, 1000, -3}) {
        r().useRenderTarget(n);
        EXPECT_EQ(r().currentTarget, -1) << n;
    }
    r().createRenderTarget(40, 102, 10, 10);
    EXPECT_EQ(r().sprites[102].width, 0);
}

TEST_P(RenderTargets, SwitchingTargetsKeepsBothImages) {
    r().createRenderTarget(3, 103, 16, 16);
    r().createRenderTarget(5, 105, 16, 16);
    r().useRenderTarget(5);
    r().fillRect(0, 0, 16, 16, kGreen);
    r().useRenderTarget(3);
    r().fillRect(0, 0, 16, 16, kRed);
    r().useScreen();
    glClear(GL_COLOR_BUFFER_BIT);
    r().setSmoothing(0);
    r().drawSprite(103, 0, 0);
    r().drawSprite(105, 20, 0);
    EXPECT_EQ(px(8, 8), kRed);
    EXPECT_EQ(px(28, 8), kGreen);
}

INSTANTIATE_TEST_SUITE_P(Paths, RenderTargets, ::testing::Values(TargetPath::Framebuffer, TargetPath::Emulated));

std::vector<std::string>& messages() {
    static std::vector<std::string> list;
    return list;
}
void record(const char* text) { messages().emplace_back(text); }

std::string writeFile(const std::string& name, const std::string& text) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path) << text;
    return path;
}

class Shaders : public GlDrawing {
protected:
    void SetUp() override {
        GlDrawing::SetUp();
        messages().clear();
    }
    Rainbows3D engine{renderer};
};

TEST_F(Shaders, AUniformSetsTheColour) {
    if (glExtensions().glCreateShaderObjectARB == nullptr) GTEST_SKIP() << "no shader support";
    const std::string vs = writeFile("plain.vert", "void main() { gl_Position = ftransform(); }\n");
    const std::string fs = writeFile("level.frag", "uniform float level;\nvoid main() { gl_FragColor = vec4(level, 0.0, 1.0, 1.0); }\n");
    ASSERT_TRUE(engine.loadShader(4, vs.c_str(), fs.c_str(), record));
    engine.useShader(4);
    engine.setShaderUniformFloat("level", 1.0f, record);
    r().fillRect(0, 0, 10, 10, kGreen);
    EXPECT_EQ(px(5, 5), 0xFF00FFu);
    engine.setShaderUniformFloat("missing", 1.0f, record);
    EXPECT_EQ(messages(), (std::vector<std::string>{"undefined uniform:", "missing"}));
    engine.useShader(-1);
    EXPECT_EQ(engine.currentShader, -1);
    r().fillRect(0, 0, 10, 10, kGreen);
    EXPECT_EQ(px(5, 5), kGreen);
    engine.releaseShader(4);
    EXPECT_EQ(engine.shaders[4].program, 0u);
}

TEST_F(Shaders, FailuresGoToTheCallback) {
    if (glExtensions().glCreateShaderObjectARB == nullptr) GTEST_SKIP() << "no shader support";
    const std::string bad = writeFile("bad.frag", "void main() { this is not glsl }\n");
    EXPECT_FALSE(engine.loadShader(1, nullptr, bad.c_str(), record));
    ASSERT_GE(messages().size(), 2u);
    EXPECT_EQ(messages().back(), "fragment shader failed");
    messages().clear();
    const std::string missing = ownTempPath("no_such.vert");
    EXPECT_FALSE(engine.loadShader(2, missing.c_str(), nullptr, record));
    EXPECT_EQ(messages(), (std::vector<std::string>{missing, "vertex shader failed"}));
    EXPECT_FALSE(engine.loadShader(255, nullptr, nullptr, record));
    EXPECT_TRUE(engine.loadShader(3, nullptr, nullptr, record));  // nothing to build
}

TEST_F(Shaders, WithoutSupportTheNoticeComesOnce) {
    setGlFeatureEnabled(GlFeature::Shaders, false);
    loadGlExtensions();
    EXPECT_FALSE(engine.loadShader(0, "a", "b", record));
    EXPECT_FALSE(engine.loadShader(0, "a", "b", record));
    setGlFeatureEnabled(GlFeature::Shaders, true);
    loadGlExtensions();
    EXPECT_LE(messages().size(), 1u);
    if (!messages().empty()) {
        EXPECT_EQ(messages()[0], "No OpenGL 2.0 Shader Support");
    }
}

}  // namespace

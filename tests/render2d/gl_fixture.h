// A real window and OpenGL context shared by the drawing tests (skipped
// without a display), with helpers to make sprites from pixels.
#pragma once

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/core/runtime_state.h"
#include "runtime/render2d/image_source.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/png_codec.h"

class GlDrawing : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (std::getenv("DISPLAY") == nullptr) return;
        renderer = new OpenGLRainbows();
        if (!renderer->createWindow(nullptr, 640, 480, 0, 60, 0, 0)) {
            delete renderer;
            renderer = nullptr;
        }
        runtimeState().renderer = renderer;
    }
    static void TearDownTestSuite() {
        runtimeState().renderer = nullptr;
        delete renderer;
        renderer = nullptr;
    }

    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
        ASSERT_NE(renderer, nullptr) << "no window could be made";
        r().useScreen();
        r().spriteColourKey = 0x8000FF;
        r().fontColourKey = 0;
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    static OpenGLRainbows& r() { return *renderer; }
    static uint32_t px(int x, int y) { return r().readPixel(x, y); }

    // A sprite of w x h pixels given as 0xAABBGGRR words, top row first,
    // loaded through a PNG file like any picture.
    static void makeSprite(int n, int w, int h, const std::vector<uint32_t>& abgr) {
        std::vector<uint8_t> bgra;
        for (uint32_t c : abgr) {
            bgra.insert(bgra.end(), {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                                     static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 24)});
        }
        const std::string path = ::testing::TempDir() + "sprite_" + std::to_string(n) + ".png";
        ASSERT_TRUE(writeImageFile(path.c_str(), encodePngFromBgra(bgra.data(), w, h)));
        ASSERT_TRUE(r().loadSprite(n, path.c_str(), 0xFFFFFFFF, false));
    }

    static OpenGLRainbows* renderer;
};

inline OpenGLRainbows* GlDrawing::renderer = nullptr;

inline constexpr uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;
inline constexpr uint32_t kOpaque = 0xFF000000;

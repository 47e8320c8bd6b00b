// The drawing tests' window, cleared to black before each test, with helpers
// to make sprites from pixels.
#pragma once

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <unistd.h>  // Required for: getpid

#include <array>
#include <string>
#include <vector>

#include "runtime/render2d/image_source.h"
#include "runtime/render2d/png_codec.h"
#include "tests/render2d/gl_context_fixture.h"

class GlDrawing : public GlContext {
protected:
    void SetUp() override {
        GlContext::SetUp();
        if (contextMissing()) return;
        r().useScreen();
        r().spriteColourKey = 0x8000FF;
        r().fontColourKey = 0;
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    static OpenGLRainbows& r() { return *renderer; }

    // Presents, then fills the back buffer with green at depth 0 behind the
    // renderer's back: an old picture left where the present's clear went
    // missing, whatever the swap left in the buffer.
    static void presentOverOldPixels() {
        r().nextFrameDue = 0.0;  // no wait for the frame's due time
        ASSERT_EQ(r().showScreen(nullptr), 1);
        glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
        glClearDepth(0.0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClearDepth(1.0);
    }
    static uint32_t px(int x, int y) { return r().readPixel(x, y); }

    // A sprite of w x h pixels given as 0xAABBGGRR words, top row first,
    // loaded through a PNG file like any picture.
    static void makeSprite(int n, int w, int h, const std::vector<uint32_t>& abgr) {
        std::vector<uint8_t> bgra;
        for (uint32_t c : abgr) {
            bgra.insert(bgra.end(), {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                                     static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 24)});
        }
        const std::string path = spritePath(n);
        ASSERT_TRUE(writeImageFile(path.c_str(), encodePngFromBgra(bgra.data(), w, h)));
        ASSERT_TRUE(r().loadSprite(n, path.c_str(), 0xFFFFFFFF, false));
    }
    // The file makeSprite wrote for sprite n. Tests run side by side in
    // processes of their own, so each process writes its own files.
    static std::string spritePath(int n) {
        return ::testing::TempDir() + "sprite_" + std::to_string(::getpid()) + "_" + std::to_string(n) + ".png";
    }
};

inline constexpr uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;
inline constexpr uint32_t kOpaque = 0xFF000000;

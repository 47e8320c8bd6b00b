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

// A w x h picture whose every pixel differs, with a transparent diagonal.
inline std::vector<uint32_t> spritePattern(int w, int h, uint32_t seed) {
    std::vector<uint32_t> abgr;
    for (int i = 0; i < w * h; ++i) {
        const uint32_t c = (seed * 2654435761u + static_cast<uint32_t>(i) * 40503u) & 0xFFFFFF;
        abgr.push_back(i % (w + 1) == 0 ? c : kOpaque | c);
    }
    return abgr;
}

// The whole 640 x 480 window, bottom row first.
inline std::vector<uint8_t> readFrame() {
    std::vector<uint8_t> rgba(640 * 480 * 4);
    glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

// Pixels whose red, green or blue differ between two RGBA frames of one size.
inline int differingPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    int n = 0;
    for (size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4) {
        if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ++n;
    }
    return n;
}

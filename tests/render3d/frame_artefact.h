// Leaves the window's frame as build/artefacts/render3d/<name>.png so that a
// person can look at what a pixel test saw. Every pixel is written opaque:
// no colour key applies to a frame kept for the eye.
#pragma once

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/render2d/image_source.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/png_codec.h"

inline void saveFrameArtefact(OpenGLRainbows& renderer, const std::string& name) {
    const int w = renderer.width, h = renderer.height;
    std::vector<uint8_t> bottomUp(static_cast<size_t>(w * h * 4)), topDown(bottomUp.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_BGRA, GL_UNSIGNED_BYTE, bottomUp.data());
    const size_t row = static_cast<size_t>(w) * 4;
    for (int y = 0; y < h; ++y) {
        std::copy_n(&bottomUp[static_cast<size_t>(h - 1 - y) * row], row, &topDown[static_cast<size_t>(y) * row]);
    }
    for (size_t i = 3; i < topDown.size(); i += 4) topDown[i] = 255;
    const std::filesystem::path folder = KRV_RENDER3D_ARTEFACTS;
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const std::string path = (folder / (name + ".png")).string();
    EXPECT_TRUE(writeImageFile(path.c_str(), encodePngFromBgra(topDown.data(), w, h))) << path;
}

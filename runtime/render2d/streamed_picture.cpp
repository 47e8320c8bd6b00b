// render2d: a changing picture drawn with OpenGL into the render object's context.
#include "runtime/render2d/streamed_picture.h"

#include <GL/gl.h>  // Required for: textures and the textured quad

#include <cstddef>  // Required for: size_t

namespace {

int32_t powerOfTwoAtLeast(int32_t n) {
    int32_t p = 16;
    while (p < n) p *= 2;
    return p;
}

}  // namespace

StreamedPicture::~StreamedPicture() {
    if (texture != 0) glDeleteTextures(1, &texture);
}

void StreamedPicture::draw(const std::vector<uint8_t>& rgba, int32_t w, int32_t h, int32_t x, int32_t y,
                           int32_t width, int32_t height) {
    if (rgba.size() != static_cast<size_t>(w) * static_cast<size_t>(h) * 4 || w <= 0 || h <= 0) return;
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT | GL_PIXEL_MODE_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    if (texture == 0 || textureWidth < w || textureHeight < h) {
        if (texture != 0) glDeleteTextures(1, &texture);
        glGenTextures(1, &texture);
        textureWidth = powerOfTwoAtLeast(w);
        textureHeight = powerOfTwoAtLeast(h);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, textureWidth, textureHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    const float u = static_cast<float>(w) / static_cast<float>(textureWidth);
    const float v = static_cast<float>(h) / static_cast<float>(textureHeight);
    const auto x0 = static_cast<float>(x), y0 = static_cast<float>(y);
    const auto x1 = static_cast<float>(x + width), y1 = static_cast<float>(y + height);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(x0, y0);
    glTexCoord2f(u, 0.0f);
    glVertex2f(x1, y0);
    glTexCoord2f(u, v);
    glVertex2f(x1, y1);
    glTexCoord2f(0.0f, v);
    glVertex2f(x0, y1);
    glEnd();
    glPopClientAttrib();
    glPopAttrib();
}

// render2d: the sprite store: loading pictures into sprites, grabbing screen
// rectangles, releasing. GL only through texture_upload.cpp and plain calls.
#include <GL/gl.h>  // Required for: texture and read-back calls

#include <GL/glext.h>  // Required for: GL_BGRA

#include <algorithm>  // Required for: std::min
#include <vector>     // Required for: std::vector

#include "runtime/render2d/image_files.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/texture_image.h"
#include "runtime/render2d/texture_upload.h"

void OpenGLRainbows::releaseSprite(int n) {
    if (!isSpriteNumber(n)) return;
    SpriteRecord& s = sprites[static_cast<size_t>(n)];
    if (contextAlive != 0) {
        if (s.texture != 0) glDeleteTextures(1, &s.texture);
        if (s.mipTexture != 0) glDeleteTextures(1, &s.mipTexture);
        s.texture = 0;
        s.mipTexture = 0;
    }
    s.textureWidth = s.textureHeight = -1;
    s.width = s.height = 0;
    s.uMax = s.vMax = 1.0f;
    s.plainU = s.plainV = -1.0f;
    pixelCopies[static_cast<size_t>(n)].reset();
    atlas.remove(n);
}

void OpenGLRainbows::releaseAll() {
    for (int n = 0; n < kSpriteCount; ++n) releaseSprite(n);
    if (contextAlive != 0) {
        spritePoints.release();
        atlas.release();
        shapeVertexBuffer.release();
    }
    for (int slot = 0; slot < kTiledImageCount; ++slot) freeTiledImage(slot);
}

bool OpenGLRainbows::loadSprite(int n, const char* path, uint32_t colourKey, bool normalMap) {
    if (!isSpriteNumber(n)) return false;
    releaseSprite(n);
    PixelBuffer image;
    if (path == nullptr || !loadImageRgba(image, path, colourKey) || image.width == 0 || image.height == 0)
        return false;
    SpriteRecord& s = sprites[static_cast<size_t>(n)];
    const bool font = n >= kFirstFontSprite;
    if (!createTexture(image, 0, 0, 0, 0, &s.texture, font ? nullptr : &s.mipTexture, font ? false : normalMap, font))
        return false;
    // The record holds what the texture holds: sizes past the largest texture are cut.
    const int32_t limit = maxTextureSize();
    const int32_t w = std::min(image.width, limit), h = std::min(image.height, limit);
    setSpriteSize(s, w, h, textureSizeFor(w), textureSizeFor(h));
    if (!font && !normalMap) atlas.add(n, s);
    if (font) {
        // Plain shapes drawn among the font's text take their white from it.
        glBindTexture(GL_TEXTURE_2D, s.texture);
        addPlainTexels(s.textureWidth, s.textureHeight, w, h, s.plainU, s.plainV);
    }
    return true;
}

bool OpenGLRainbows::grabSprite(int n, int x, int y, int w, int h) {
    if (!isSpriteNumber(n) || w <= 0 || h <= 0) return false;
    const int32_t limit = maxTextureSize();
    w = std::min(w, limit);
    h = std::min(h, limit);
    SpriteRecord& s = sprites[static_cast<size_t>(n)];
    s.frameWidth = s.frameHeight = 0;
    pixelCopies[static_cast<size_t>(n)].reset();
    atlas.remove(n);
    const int32_t tw = textureSizeFor(w), th = textureSizeFor(h);
    auto bindTexture = [&s] { glBindTexture(GL_TEXTURE_2D, s.texture); };
    if (s.texture == 0 || s.textureWidth != tw || s.textureHeight != th) {
        if (s.texture != 0) glDeleteTextures(1, &s.texture);
        if (s.mipTexture != 0) glDeleteTextures(1, &s.mipTexture);
        s.texture = 0;
        s.mipTexture = 0;
        createBlankTexture(&s.texture, tw, th);
    } else {
        bindTexture();
    }
    setSpriteSize(s, w, h, tw, th);

    const int32_t glY = drawTargetHeight() - y - h;
    flushPendingClear();
    GLint alphaBits = 0;
    glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
    if (alphaBits > 0) {
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, x, glY, w, h);
        return true;
    }
    // No alpha in the framebuffer: the key colour, as the framebuffer holds it, becomes transparent.
    std::vector<uint8_t> bgra(static_cast<size_t>(tw) * static_cast<size_t>(th) * 4, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, glY, tw, th, GL_BGRA, GL_UNSIGNED_BYTE, bgra.data());
    const uint32_t key = readBackColourKey();
    if (key != 0) {
        for (size_t i = 0; i < bgra.size(); i += 4) {
            if (bgra[i] == static_cast<uint8_t>(key >> 8) && bgra[i + 1] == static_cast<uint8_t>(key >> 16) &&
                bgra[i + 2] == static_cast<uint8_t>(key >> 24))
                bgra[i + 3] = 0;
        }
    }
    bindTexture();
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, tw, th, 0, GL_BGRA, GL_UNSIGNED_BYTE, bgra.data());
    return true;
}

void OpenGLRainbows::setSpriteFrameSize(int n, uint16_t frameWidth, uint16_t frameHeight) {
    if (!isSpriteNumber(n)) return;
    sprites[static_cast<size_t>(n)].frameWidth = frameWidth;
    sprites[static_cast<size_t>(n)].frameHeight = frameHeight;
}

void OpenGLRainbows::getSpriteSize(int n, int& w, int& h) const {
    w = h = 0;
    if (!isSpriteNumber(n)) return;
    w = sprites[static_cast<size_t>(n)].width;
    h = sprites[static_cast<size_t>(n)].height;
}

void OpenGLRainbows::setColourKeys(uint32_t colour) {
    spriteColourKey = colour;
    fontColourKey = colour;
}
